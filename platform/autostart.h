// SPDX-License-Identifier: GPL-3.0-or-later
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

/// The entry that runs command (the program, then its arguments) when the user logs in. The
/// desktop skips it (TryExec) once the program is gone.
QByteArray entryText(const QStringList &command);

/// What a login start runs: the launcher found on the PATH when it starts this very program
/// (launcherTarget is the program's path relative to the launcher's folder), by its name alone,
/// so the entry follows the installed program and dies with it; otherwise this program's path.
QString programToStart(const QString &applicationFilePath, const QString &launcherOnPath,
                       const QString &launcherTarget);

/// Whether the entry is there, not switched off by the desktop, and its program still exists.
bool isOn(const QString &path);

/// Writes (on) or removes (off) the entry; false, with the reason in error, when it could not.
bool setOn(const QString &path, bool on, const QStringList &command, QString *error);

} // namespace autostart
