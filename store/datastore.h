#pragma once

#include "platform/textfile.h"
#include "store/datafile.h"
#include "platform/diskversion.h"

#include <QString>

/// The data file on disk: reads it once at start and replaces it atomically on every save.
/// A file that exists but cannot be read or used is copied aside ("savedfile.qlt.bak") before the
/// first save replaces it, so nothing the user had is lost silently.
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
    };
    LoadResult load();

    /// Writes the file; on failure the old file is untouched and error says why.
    bool save(const DataFileContent &content, FileError *error);
    /// Where the last save kept a version that something else had put on disk; empty if none.
    QString conflictCopy() const { return m_conflictCopy; }

private:
    QString m_path;
    bool m_backupPending = false;
    DiskVersion m_onDisk;
    QString m_conflictCopy;
};
