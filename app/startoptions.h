// SPDX-License-Identifier: GPL-3.0-or-later
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

/// Reads the command line once the window system has taken its own options off it. An unknown
/// option, or two verbs at once, prints why and ends the process with status 1.
StartOptions parseStartOptions(const QStringList &arguments);

/// Answers --help, --help-all and --version, or a mistake with the usage hint and status 1, and
/// ends the process; does nothing for a command line that starts the program. Needs only a
/// QCoreApplication, so it works without a display.
void answerBeforeWindows(const QStringList &arguments);

/// Whether the command line asks for work without a window. Read before the window system's
/// own options are known, so a mistake elsewhere on the line is left to parseStartOptions.
bool asksForHeadlessWork(const QStringList &arguments);
