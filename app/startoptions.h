#pragma once

#include <QString>
#include <QStringList>

/// What the command line asks of this start.
struct StartOptions
{
    /// Start with the main window minimised (the login start).
    bool minimized = false;
    /// The folder chosen with --data-dir; empty when none was given.
    QString dataDir;
};

/// Reads the command line. --help and --version print their text and end the process, as
/// QCommandLineParser does; an unknown option prints the usage and ends it with status 1.
StartOptions parseStartOptions(const QStringList &arguments);

/// Prints the help or the version text and ends the process when the command line asks for
/// them; does nothing otherwise. Needs only a QCoreApplication, so it works without a display.
void answerHelpOrVersion(const QStringList &arguments);
