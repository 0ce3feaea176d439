#include "app/startoptions.h"

#include "core/verbs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdlib>

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
    for (const verbs::Verb &verb : verbs::all())
        parser.addOption({verb.name, verb.description, verb.valueName});
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
