// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/mainwindowfixture.h"

#include <QFile>
#include <QTest>

MainWindowFixture::MainWindowFixture()
{
    services = Services{&clock, &sound, &shell, &messages, &files, folder.path(), {}};
    services.notifier = &notifier;
    // The start-at-login entry goes into the temporary folder, never the user's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
}

void MainWindowFixture::writeFile(const QString &relative, const QByteArray &bytes)
{
    QFile file(services.path(relative));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray MainWindowFixture::readFile(const QString &relative) const
{
    QFile file(services.path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MainWindow *MainWindowFixture::open(bool show)
{
    crash();
    document = new Document(services);
    window = new MainWindow(services, document);
    window->load();
    if (show) {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("main window did not become active");
    }
    QCoreApplication::processEvents();
    return window;
}

Document *MainWindowFixture::openDocument()
{
    crash();
    document = new Document(services);
    document->load();
    return document;
}

void MainWindowFixture::close()
{
    if (window)
        window->close();
    else if (document)
        document->close();
    crash();
}

void MainWindowFixture::clickPicture(const QString &name)
{
    QTest::mouseMove(find<QWidget>(name), QPoint(10, 10));
    const QString hover = QString(name).replace("butToDo", "butTodo") + "_h"; // spelled so
    QTest::mouseClick(find<QWidget>(hover), Qt::LeftButton, {}, QPoint(10, 10));
}

