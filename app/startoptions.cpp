#include "app/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

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

} // namespace

void answerHelpOrVersion(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    // Options of the window system are not known yet: mistakes are reported by parseStartOptions.
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
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
