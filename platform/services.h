// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;
class SoundPlayer;
class Shell;
class MessageBoxes;
class FileDialogs;
class Notifier;

/// What the windows need of the platform. The program passes the real implementations,
/// tests pass fakes and a temporary program folder.
struct Services
{
    Clock *clock = nullptr;
    SoundPlayer *sound = nullptr;
    Shell *shell = nullptr;
    MessageBoxes *messages = nullptr;
    FileDialogs *files = nullptr;
    /// The program folder (where the executable lives), without a trailing slash.
    QString folder;
    /// Where the user's files live (savedfile.qlt and its companions); the program folder unless
    /// chosen otherwise at start. Empty means the program folder.
    QString dataFolder;
    /// The desktop's notifications; none means reminders show in the alarm window only.
    Notifier *notifier = nullptr;

    /// A file of the program folder: path("wave/click.wav").
    QString path(const QString &relative) const { return folder + QLatin1Char('/') + relative; }
    /// A file of the data folder: dataPath("savedfile.qlt").
    QString dataPath(const QString &relative) const
    {
        return (dataFolder.isEmpty() ? folder : dataFolder) + QLatin1Char('/') + relative;
    }
};
