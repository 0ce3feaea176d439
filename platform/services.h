#pragma once

#include <QString>

class Clock;
class SoundPlayer;
class Shell;
class MessageBoxes;
class FileDialogs;

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

    /// A file of the program folder: path("wave/click.wav").
    QString path(const QString &relative) const { return folder + QLatin1Char('/') + relative; }
};
