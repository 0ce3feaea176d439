// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startoptions.h"

#include "core/verbs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdlib>

namespace {

/// Options the window system takes off the command line itself; they are known here only so
/// that they are not called unknown before it has had them.
const char *const kWindowSystemValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger"};
const char *const kWindowSystemFlags[] = {"reverse", "widgetcount", "dograb", "nograb", "sync"};

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Notes, to-dos with reminders, websites and contacts."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("minimized"), QCoreApplication::translate("main", "Start minimised.")});
    parser.addOption({QStringLiteral("data-dir"), QCoreApplication::translate("main", "Keep the data in <folder>."),
                      QStringLiteral("folder")});
    for (const verbs::Verb &verb : verbs::all())
        parser.addOption({verb.name, verb.description, verb.valueName});
}

void addWindowSystemOptions(QCommandLineParser &parser)
{
    // "-platform" is one option, not the letters p, l, a...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : kWindowSystemValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kWindowSystemFlags) {
        // --sync is the program's own: the X11 debugging flag gives way.
        if (verbs::find(QString::fromLatin1(name)))
            continue;
        QCommandLineOption option{QString::fromLatin1(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QStringList verbsSet(const QCommandLineParser &parser)
{
    QStringList set;
    for (const verbs::Verb &verb : verbs::all()) {
        if (parser.isSet(verb.name))
            set << verb.name;
    }
    return set;
}

} // namespace

StartCheck checkStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    addWindowSystemOptions(parser);
    if (!parser.parse(arguments))
        return {StartCheck::Mistake, parser.errorText()};
    if (parser.isSet(QStringLiteral("help-all")))
        return {StartCheck::HelpAll, {}};
    if (parser.isSet(QStringLiteral("help")))
        return {StartCheck::Help, {}};
    if (parser.isSet(QStringLiteral("version")))
        return {StartCheck::Version, {}};
    return {};
}

void answerBeforeWindows(const QStringList &arguments)
{
    const StartCheck check = checkStartOptions(arguments);
    QCommandLineParser parser;
    describeOptions(parser);
    switch (check.answer) {
    case StartCheck::Start:
        return;
    case StartCheck::Help:
    case StartCheck::HelpAll:
        parser.showHelp();
    case StartCheck::Version:
        parser.showVersion();
    case StartCheck::Mistake: {
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("quillet"))).fileName();
        QTextStream(stderr) << program << ": " << check.mistake << '\n'
                            << "Try '" << program << " --help' for more information." << Qt::endl;
        std::exit(EXIT_FAILURE);
    }
    }
}

bool asksForHeadlessWork(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(arguments);
    return !verbsSet(parser).isEmpty();
}

StartOptions parseStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(arguments);

    StartOptions options;
    options.minimized = parser.isSet(QStringLiteral("minimized"));
    options.dataDir = parser.value(QStringLiteral("data-dir"));
    const QStringList asked = verbsSet(parser);
    if (asked.size() > 1) {
        QTextStream(stderr) << QCoreApplication::translate("main", "Only one of --%1 at a time.")
                                   .arg(asked.join(QStringLiteral(", --")))
                            << Qt::endl;
        std::exit(1);
    }
    if (!asked.isEmpty()) {
        options.verb = asked.first();
        // A file named on the command line is the caller's: read against their folder, before the
        // verb may go to a copy that was started elsewhere.
        options.verbValue = verbs::resolvedValue(*verbs::find(options.verb), parser.value(options.verb),
                                                 QDir::currentPath());
    }
    return options;
}
