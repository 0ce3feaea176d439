// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/headlessstart.h"

#include "app/startoptions.h"
#include "core/document.h"
#include "core/verbs.h"
#include "platform/clock.h"
#include "platform/consolemessageboxes.h"
#include "platform/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <optional>

namespace {

/// The folder a verb works on. One that only reads needs no folder it may write in, and makes
/// none; one that writes takes the folder a window would.
datafolder::Choice folderFor(const verbs::Verb &verb, const QString &requested)
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (verb.changesData)
        return datafolder::locate(program, requested, user);
    if (requested.isEmpty())
        return datafolder::choose(program, datafolder::kindOf(program), QString(), datafolder::Kind::Missing,
                                  user, datafolder::kindOf(user));
    datafolder::Choice choice;
    if (QFileInfo(requested).isDir())
        choice.folder = QFileInfo(requested).absoluteFilePath();
    else
        choice.problem = QStringLiteral("There is no folder \"%1\".").arg(QDir::toNativeSeparators(requested));
    return choice;
}

} // namespace

int runHeadless(const StartOptions &options)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const verbs::Verb *verb = verbs::find(options.verb);
    if (!verb)
        return 1;
    const datafolder::Choice data = folderFor(*verb, options.dataDir);
    if (data.folder.isEmpty()) {
        err << data.problem << Qt::endl;
        return 1;
    }
    SystemClock clock;
    ConsoleMessageBoxes messages;
    Services services{&clock, nullptr, nullptr, &messages, nullptr,
                      QCoreApplication::applicationDirPath(), data.folder};
    Document document(services);
    // Work that waits on the network runs in this loop until it calls back.
    std::optional<verbs::Result> result;
    verbs::start(document, *verb, options.verbValue, [&result](const verbs::Result &done) {
        result = done;
        QCoreApplication::exit();
    });
    if (!result)
        QCoreApplication::exec();
    if (!result)
        return 1;
    out << result->output;
    err << result->errors;
    return result->status;
}

