// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/datafolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace datafolder {
namespace {

QString unusable(Kind kind, const QString &folder, const QString &remedy)
{
    if (kind == Kind::File)
        return QStringLiteral("\"%1\" is a file, not a folder, so Quillet cannot keep your data "
                              "there.\n\n%2")
            .arg(folder, remedy);
    return QStringLiteral("Quillet cannot write in the folder \"%1\", so nothing you type could be "
                          "saved there.\n\n%2")
        .arg(folder, remedy);
}

Choice use(const QString &folder, Kind kind, const QString &remedy)
{
    Choice choice;
    if (kind == Kind::Folder || kind == Kind::Missing) {
        choice.folder = folder;
        choice.create = kind == Kind::Missing;
    } else {
        choice.problem = unusable(kind, folder, remedy);
    }
    return choice;
}

} // namespace

Choice choose(const QString &programFolder, Kind program, const QString &requested, Kind asked,
              const QString &userFolder, Kind user)
{
    if (!requested.isEmpty())
        return use(requested, asked, QStringLiteral("Please name a folder you can write in with "
                                                    "--data-dir, or leave it out."));
    // /usr belongs to the package manager and may be mounted read-only: even root keeps no data
    // there, or the package could never be removed cleanly.
    const bool packaged = programFolder.startsWith(QLatin1String("/usr/"));
    if (program == Kind::Folder && !packaged)
        return use(programFolder, program, QString());
    if (userFolder.isEmpty()) {
        Choice choice;
        choice.problem = QStringLiteral("Quillet cannot write in its own folder \"%1\" and this "
                                        "system names no data folder for you (is HOME set?).\n\n"
                                        "Please choose a folder with --data-dir.")
                             .arg(programFolder);
        return choice;
    }
    return use(userFolder, user, QStringLiteral("Please make it a folder you can write in, or "
                                                "choose another one with --data-dir."));
}

Kind kindOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Kind::Missing;
    if (!info.isDir())
        return Kind::File;
    // Tried, not asked: access() answers yes to root wherever the mode bits say no, yet a
    // read-only mount, a file system that refuses files (/sys) or a server that maps root to
    // nobody still refuses the write.
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".quillet-write-test-XXXXXX")));
    return probe.open() ? Kind::Folder : Kind::ReadOnlyFolder;
}

Choice locate(const QString &programFolder, const QString &requested, const QString &userFolder)
{
    const QString asked = requested.isEmpty() ? QString() : QFileInfo(requested).absoluteFilePath();
    Choice choice = choose(programFolder, kindOf(programFolder), asked, kindOf(asked), userFolder,
                           kindOf(userFolder));
    if (!choice.create)
        return choice;
    errno = 0;
    if (!QDir().mkpath(choice.folder)) {
        const int number = errno;
        choice.problem = QStringLiteral("The folder \"%1\" for your data could not be created.\n\n"
                                        "Error number: %2\nError description: %3")
                             .arg(choice.folder)
                             .arg(number)
                             .arg(QString::fromLocal8Bit(std::strerror(number)));
        choice.folder.clear();
    } else if (asked.isEmpty()) {
        QFile::setPermissions(choice.folder,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    choice.create = false;
    return choice;
}

} // namespace datafolder
