// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

#include <sys/types.h>

/// What went wrong in a file operation, as the system reports it.
struct FileError
{
    int number = 0;       ///< errno
    QString description;  ///< the system's text for it, or what the path holds instead of a file
};

/// Files larger than this are refused whole: a planner's data is never near it, and reading
/// one would take the memory of the machine.
constexpr qint64 kLargestReadableFile = qint64(1) << 30;

/// Takes a file's bytes a piece at a time; returns false to stop.
using ByteSink = std::function<bool(QByteArrayView piece)>;

/// Reads a whole plain file. Returns false (with the error) when it is missing, unreadable, not
/// a plain file (a folder, a pipe, a device are refused at once, never read) or over 1 GiB.
bool readWholeFile(const QString &path, QByteArray *bytes, FileError *error = nullptr);

/// The same, handing the bytes to take in pieces of at most 256 KiB read into one reused buffer,
/// so a large file is never held whole. A piece take refuses fails the read with ECANCELED.
bool readFileInPieces(const QString &path, const ByteSink &take, FileError *error = nullptr);

/// The system calls a safe write makes, so tests can make the disk fail on any of them.
struct WriteCalls
{
    std::function<ssize_t(int fd, const char *data, size_t size)> write;
    std::function<int(int fd)> sync;
    std::function<int(int fd)> close;
};

/// Replaces a file atomically: a temporary file beside it ("<name>.saving-XXXXXX") is written,
/// synced and renamed over the old one, then the folder is synced. Any failed write, sync or
/// close is a failed save: the old file is left exactly as it was and no temporary file stays.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error = nullptr,
                         const WriteCalls &calls = {});

/// The same, with the bytes made by produce and written as it hands them over, piece by piece
/// (a file over 256 KiB by a writer thread, while produce makes the next pieces): the whole file
/// is never held. Once a write has failed the sink refuses further pieces, so produce can stop
/// early, and the save fails with the first failure's own cause.
bool writeFileAtomically(const QString &path, const std::function<void(const ByteSink &)> &produce,
                         FileError *error = nullptr, const WriteCalls &calls = {});

/// Copies a plain file over another atomically, a piece at a time, so a large file is never held
/// whole. When the copy cannot be read or written completely, the target is left as it was.
bool copyFileAtomically(const QString &from, const QString &to, FileError *error = nullptr);

/// Removes the temporary files that a save killed part-way left beside path; returns how many.
int removeLeftoverTemporaries(const QString &path);
