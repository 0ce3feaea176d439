#pragma once

#include <QByteArray>
#include <QString>

/// What went wrong in a file operation, as the system reports it.
struct FileError
{
    int number = 0;       ///< errno
    QString description;  ///< the system's text for it
};

/// Reads a whole file. Returns false (with the error) when it is missing or unreadable.
bool readWholeFile(const QString &path, QByteArray *bytes, FileError *error = nullptr);

/// Replaces a file atomically: a temporary file in the same folder is written, flushed, synced
/// and renamed over the old one. On failure the old file is left exactly as it was.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error = nullptr);
