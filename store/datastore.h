// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/textfile.h"
#include "store/datafile.h"
#include "platform/diskversion.h"

#include <QString>

/// The data file on disk: reads it once at start and replaces it atomically on every save.
/// A file that exists but cannot be read or used is copied aside ("savedfile.qlt.bak") before the
/// first save replaces it; while that copy cannot be made, the file is never replaced.
class DataStore
{
public:
    explicit DataStore(const QString &folder);

    QString path() const { return m_path; }
    QString backupPath() const { return m_path + QStringLiteral(".bak"); }

    struct LoadResult
    {
        DataFileContent content;
        /// Empty when the file was missing (first start) or sound; otherwise what was wrong.
        QString problem;
        /// The file is there but could not be read at all (a folder, a pipe, too large...).
        bool unreadable = false;
    };
    /// Also clears away what a save killed part-way left behind.
    LoadResult load();
    /// Starts reading the data file in folder on another thread while the program starts up
    /// (the splash shows meanwhile); the first load() of that file takes what it read. Whatever
    /// changes on disk in between is caught at the next save, as any change made elsewhere.
    static void preload(const QString &folder);

    /// Writes the file; on failure the old file is untouched and error says why.
    bool save(const DataFileContent &content, FileError *error);
    /// Where the last save kept a version that something else had put on disk; empty if none.
    QString conflictCopy() const { return m_conflictCopy; }

    /// The lists are about to be replaced wholesale (by a recovered copy): the next save first
    /// keeps the file as it is now beside it, "savedfile.qlt.replaced-<date> <time>", and does
    /// not replace it while that copy cannot be made.
    void keepAsideBeforeNextSave() { m_keepAsidePending = true; }
    /// Where the last save kept the file it replaced that way; empty if none.
    QString keptAside() const { return m_keptAside; }

private:
    /// Copies the file whole to copyPath before it is replaced; false (with why) when it could
    /// not be. A file already gone needs no copy.
    bool copyBeforeReplacing(const QString &copyPath, FileError *error);

    QString m_path;
    bool m_backupPending = false;
    bool m_keepAsidePending = false;
    QString m_keptAside;
    DiskVersion m_onDisk;
    QString m_conflictCopy;
};
