// SPDX-License-Identifier: GPL-3.0-or-later
// Times the first sync of 1,000 to-dos to an empty Radicale on loopback, beside vdirsyncer
// syncing the same 1,000 items to the same server.
#include "bench/benchdata.h"
#include "core/document.h"
#include "platform/clock.h"
#include "platform/consolemessageboxes.h"
#include "sync/syncitems.h"
#include "sync/syncsession.h"
#include "store/recordlistmodel.h"
#include "tests/sync/radicaleserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int kTodos = 1000;

/// Quillet's first sync, discovery and the making of its task list included; -1 when it failed.
double quilletMs(const RadicaleServer &server, const QList<Record> &todos)
{
    QTemporaryDir data;
    SystemClock clock;
    ConsoleMessageBoxes messages;
    const Services services{&clock, nullptr, nullptr, &messages, nullptr, data.path(), data.path()};
    Document document(services);
    document.load();
    document.model(SectionId::Todos)->appendRecords(todos);
    SyncSession session(&document);
    session.setAccount({server.url(), QString::fromLatin1(RadicaleServer::user), {}, {}});
    session.setPassword(QString::fromLatin1(RadicaleServer::password));
    QEventLoop loop;
    SyncOutcome outcome;
    QObject::connect(&session, &SyncSession::finished, &loop, [&](const SyncOutcome &done) {
        outcome = done;
        loop.quit();
    });
    // How long the event loop (a window's, in the program) went without a turn meanwhile.
    QElapsedTimer beat;
    qint64 longestWait = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestWait = std::max(longestWait, beat.restart()); });
    const auto sync = [&] {
        QElapsedTimer timer;
        timer.start();
        longestWait = 0;
        beat.start();
        ticker.start();
        session.syncNow();
        loop.exec();
        ticker.stop();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    const double ms = sync();
    QTextStream(stdout) << "  Quillet: " << (outcome.ok ? outcome.summary : outcome.error)
                        << "; the event loop waited at most " << longestWait << " ms" << Qt::endl;
    const double again = sync();
    QTextStream(stdout) << "  Quillet again, nothing changed: " << again << " ms (" << outcome.summary
                        << "); the event loop waited at most " << longestWait << " ms" << Qt::endl;
    return outcome.ok ? ms : -1;
}

bool run(const QString &program, const QStringList &arguments, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(30 * 60 * 1000) && process.exitCode() == 0;
}

/// vdirsyncer's sync of the same items from a folder to the other user's empty home; its
/// discovery (which makes the remote collection) runs before the clock starts. -1 when it failed.
double vdirsyncerMs(const RadicaleServer &server, const QList<Record> &todos)
{
    QTemporaryDir work;
    const QString tasks = work.filePath(QStringLiteral("local/tasks"));
    QDir().mkpath(tasks);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < todos.size(); ++i) {
        const Record record = syncitems::withUid(SectionId::Todos, todos[i], QStringLiteral("bench-%1").arg(i));
        QFile file(QStringLiteral("%1/bench-%2.ics").arg(tasks).arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(syncitems::itemText(SectionId::Todos, record, now)) < 0)
            return -1;
    }
    const QString config = work.filePath(QStringLiteral("config"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QTextStream(&file) << "[general]\nstatus_path = \"" << work.filePath(QStringLiteral("status/")) << "\"\n\n"
                       << "[pair bench]\na = \"bench_local\"\nb = \"bench_remote\"\ncollections = [\"from a\"]\n\n"
                       << "[storage bench_local]\ntype = \"filesystem\"\npath = \"" << work.filePath(QStringLiteral("local/"))
                       << "\"\nfileext = \".ics\"\n\n"
                       << "[storage bench_remote]\ntype = \"caldav\"\nurl = \"" << server.url().toString()
                       << "\"\nusername = \"" << RadicaleServer::otherUser << "\"\npassword = \"" << RadicaleServer::password << "\"\n";
    file.close();
    const QStringList withConfig{QStringLiteral("--config"), config};
    if (!run(QStringLiteral("vdirsyncer"), withConfig + QStringList{QStringLiteral("discover")}, "y\ny\ny\n"))
        return -1;
    QElapsedTimer timer;
    timer.start();
    if (!run(QStringLiteral("vdirsyncer"), withConfig + QStringList{QStringLiteral("sync")}))
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    RadicaleServer server;
    const QString problem = server.start();
    if (!problem.isEmpty()) {
        out << "Radicale could not be started: " << problem << Qt::endl;
        return 1;
    }
    const QList<Record> todos = benchContent(kTodos)[SectionId::Todos];
    const double quillet = quilletMs(server, todos);
    const double vdirsyncer = vdirsyncerMs(server, todos);
    out << "First sync of " << kTodos << " to-dos to an empty Radicale on loopback:" << Qt::endl;
    out << QStringLiteral("  %1 %2").arg(QStringLiteral("Quillet"), -12).arg(quillet, 9, 'f', 0) << " ms" << Qt::endl;
    out << QStringLiteral("  %1 %2").arg(QStringLiteral("vdirsyncer"), -12).arg(vdirsyncer, 9, 'f', 0) << " ms" << Qt::endl;
    if (quillet > 0 && vdirsyncer > 0)
        out << QStringLiteral("  Quillet takes %1 of vdirsyncer's time").arg(quillet / vdirsyncer, 0, 'f', 2) << Qt::endl;
    return quillet > 0 && vdirsyncer > 0 ? 0 : 1;
}
