// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace autostart {
namespace {

/// One argument of an Exec line: quoted where the shell-like rules need it, then escaped as
/// every string value of a desktop entry is (so a backslash ends up fourfold).
QString execArgument(const QString &argument)
{
    QString text = argument;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::none_of(text.cbegin(), text.cend(), [&reserved](QChar c) { return reserved.contains(c); }))
        return text;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return quoted;
}

/// A string value as a desktop entry writes it.
QString escapedValue(const QString &value)
{
    QString text = value;
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return text;
}

/// The program an entry runs: its TryExec, or else the first argument of its Exec line.
QString programOf(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        if (line.startsWith("TryExec="))
            return QString::fromUtf8(line.sliced(8)).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    }
    for (const QByteArray &line : lines) {
        if (!line.startsWith("Exec="))
            continue;
        const QString exec = QString::fromUtf8(line.sliced(5)).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        if (!exec.startsWith(QLatin1Char('"')))
            return exec.section(QLatin1Char(' '), 0, 0);
        QString program;
        for (qsizetype i = 1; i < exec.size() && exec[i] != u'"'; ++i)
            program += exec[i] == u'\\' && i + 1 < exec.size() ? exec[++i] : exec[i];
        return program;
    }
    return {};
}

bool programExists(const QString &program)
{
    if (program.isEmpty())
        return false;
    if (!QDir::isAbsolutePath(program))
        return !QStandardPaths::findExecutable(program).isEmpty();
    const QFileInfo file(program);
    return file.isFile() && file.isExecutable();
}

} // namespace

QString entryPath(const QString &xdgConfigHome, const QString &home)
{
    const QString config = QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/autostart/quillet.desktop"));
}

QString entryPath()
{
    return entryPath(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

QByteArray entryText(const QStringList &command)
{
    QStringList exec;
    for (const QString &argument : command)
        exec.append(execArgument(argument));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillet\n"
                          "Comment=Notes, to-dos with reminders, favourite websites and e-mail contacts\n"
                          "TryExec=%2\n"
                          "Exec=%1\n"
                          "Icon=quillet\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec.join(QLatin1Char(' ')), escapedValue(command.value(0)))
        .toUtf8();
}

bool isOn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    return !lines.contains("Hidden=true") && !lines.contains("X-GNOME-Autostart-enabled=false")
        && programExists(programOf(lines));
}

QString programToStart(const QString &applicationFilePath, const QString &launcherOnPath,
                       const QString &launcherTarget)
{
    if (!launcherOnPath.isEmpty()) {
        const QFileInfo launcher(QFileInfo(launcherOnPath).canonicalFilePath());
        const QString started = QFileInfo(launcher.path() + QLatin1Char('/') + launcherTarget).canonicalFilePath();
        if (!started.isEmpty() && started == QFileInfo(applicationFilePath).canonicalFilePath())
            return QFileInfo(launcherOnPath).fileName();
    }
    return applicationFilePath;
}

bool setOn(const QString &path, bool on, const QStringList &command, QString *error)
{
    if (!on) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        *error = file.errorString();
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("The folder %1 cannot be made.").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(entryText(command)) >= 0 && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

} // namespace autostart
