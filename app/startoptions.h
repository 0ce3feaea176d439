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
    /// The work asked for without a window ("check" for --check) and its option's value;
    /// empty for a start that opens the window.
    QString verb;
    QString verbValue;
};

/// Reads the command line. --help and --version print their text and end the process, as
/// QCommandLineParser does; an unknown option, or two verbs at once, prints why and ends it
/// with status 1.
StartOptions parseStartOptions(const QStringList &arguments);

/// Prints the help or the version text and ends the process when the command line asks for
/// them; does nothing otherwise. Needs only a QCoreApplication, so it works without a display.
void answerHelpOrVersion(const QStringList &arguments);

/// Whether the command line asks for work without a window. Read before the window system's
/// own options are known, so a mistake elsewhere on the line is left to parseStartOptions.
bool asksForHeadlessWork(const QStringList &arguments);
