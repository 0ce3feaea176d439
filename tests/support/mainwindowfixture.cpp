#include "tests/support/mainwindowfixture.h"

#include "tests/support/uihelpers.h"
#include "widgets/recordlistview.h"

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

void MainWindowFixture::writeRecords(SectionId id, const QList<Record> &records)
{
    DataFileContent content;
    content[id] = records;
    writeFile(QStringLiteral("savedfile.qlt"), serializeDataFile(content));
}

QList<Record> MainWindowFixture::saved(SectionId id) const
{
    return parseDataFile(readFile(QStringLiteral("savedfile.qlt"))).content[id];
}

MainWindow *MainWindowFixture::open(bool show)
{
    window = new MainWindow(services);
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

MainWindow *MainWindowFixture::openWith(SectionId id, const QList<Record> &records, bool show)
{
    writeRecords(id, records);
    return open(show);
}

void MainWindowFixture::close()
{
    if (window)
        window->close();
    delete std::exchange(window, nullptr);
}

MainWindow *MainWindowFixture::restart()
{
    close();
    return open();
}

void MainWindowFixture::clickPicture(const QString &name)
{
    QTest::mouseMove(find<QWidget>(name), QPoint(10, 10));
    const QString hover = QString(name).replace("butToDo", "butTodo") + "_h"; // spelled so
    QTest::mouseClick(find<QWidget>(hover), Qt::LeftButton, {}, QPoint(10, 10));
}

void MainWindowFixture::press(const QString &name)
{
    clickAt(find<QWidget>(name));
}

RecordListView *MainWindowFixture::list(const QString &name) const
{
    return find<RecordListView>(name);
}
