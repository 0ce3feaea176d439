#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Starting the program at login through the desktop's autostart folder.
namespace autostart {

/// "<config>/autostart/quillet.desktop", config being xdgConfigHome when that is an absolute
/// path and home + "/.config" otherwise.
QString entryPath(const QString &xdgConfigHome, const QString &home);
/// The same from this process's environment.
QString entryPath();

/// The entry that runs command (the program, then its arguments) when the user logs in.
QByteArray entryText(const QStringList &command);

/// Whether the entry is there and not switched off by the desktop.
bool isOn(const QString &path);

/// Writes (on) or removes (off) the entry; false, with the reason in error, when it could not.
bool setOn(const QString &path, bool on, const QStringList &command, QString *error);

} // namespace autostart
