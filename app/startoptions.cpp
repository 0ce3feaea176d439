#include "app/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
}

void addWindowSystemOptions(QCommandLineParser &parser)
{
    // "-platform" is one option, not the letters p, l, a...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : kWindowSystemValueOptions) {
        QCommandLineOption option(QLatin1String(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kWindowSystemFlags) {
        QCommandLineOption option{QString::fromLatin1(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
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

StartOptions parseStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(arguments);

    StartOptions options;
    options.minimized = parser.isSet(QStringLiteral("minimized"));
    options.dataDir = parser.value(QStringLiteral("data-dir"));
    return options;
}
