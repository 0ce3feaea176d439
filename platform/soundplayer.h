// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Plays WAV files. A missing or unreadable file plays the program's default sound instead;
/// having no audio device is never an error.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    /// Starts the file and returns at once; a new sound replaces one still playing.
    virtual void play(const QString &path) = 0;
    /// Plays the file and returns when it has finished (or after its own duration at the latest).
    /// User input is held meanwhile; the windows still repaint.
    virtual void playToEnd(const QString &path) = 0;
    /// Stops whatever play() started.
    virtual void stop() = 0;
};
