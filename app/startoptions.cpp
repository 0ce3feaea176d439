#include "app/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

StartOptions parseStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Notes, to-dos with reminders, websites and contacts."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption minimized(QStringLiteral("minimized"),
                                       QCoreApplication::translate("main", "Start minimised."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QCoreApplication::translate("main", "Keep the data in <folder>."),
                                     QStringLiteral("folder"));
    parser.addOption(minimized);
    parser.addOption(dataDir);
    parser.process(arguments);

    StartOptions options;
    options.minimized = parser.isSet(minimized);
    options.dataDir = parser.value(dataDir);
    return options;
}
