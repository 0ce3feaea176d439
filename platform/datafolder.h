// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Where the user's files (savedfile.qlt, an edited quotes.txt) are kept.
namespace datafolder {

/// What a path is on disk, as far as keeping data there goes.
enum class Kind { Missing, File, Folder, ReadOnlyFolder };

struct Choice
{
    /// The folder to keep the data in; empty when none can be used.
    QString folder;
    /// The folder does not exist yet and must be created first.
    bool create = false;
    /// Why no folder can be used, in words for the user; empty when folder is set.
    QString problem;
};

/// A folder named on the command line (requested, empty when none) wins; otherwise the program
/// folder while the user can write in it and it is not under /usr, else the user's own data folder. Decided from the kinds
/// alone, so that every case can be tried without the disk.
Choice choose(const QString &programFolder, Kind program, const QString &requested, Kind asked,
              const QString &userFolder, Kind user);

/// What path is on disk now.
Kind kindOf(const QString &path);

/// choose() for the disk as it is, then creates the chosen folder where needed. A user data
/// folder made here is private to the user.
Choice locate(const QString &programFolder, const QString &requested, const QString &userFolder);

} // namespace datafolder
