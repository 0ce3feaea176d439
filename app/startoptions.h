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

/// What a command line asks for before any window: to start, a text to print, or a mistake.
struct StartCheck
{
    enum Answer { Start, Help, HelpAll, Version, Mistake };
    Answer answer = Start;
    /// For Mistake: what is wrong ("Unknown option 'bogus'.").
    QString mistake;
};

/// Checks a whole command line, the window system's own options (-platform, -style...) among
/// it, without touching any window system.
StartCheck checkStartOptions(const QStringList &arguments);

/// Reads the command line once the window system has taken its own options off it.
StartOptions parseStartOptions(const QStringList &arguments);

/// Answers --help, --help-all and --version, or a mistake with the usage hint and status 1, and
/// ends the process; does nothing for a command line that starts the program. Needs only a
/// QCoreApplication, so it works without a display.
void answerBeforeWindows(const QStringList &arguments);
