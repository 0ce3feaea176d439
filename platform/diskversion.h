// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/textfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class MessageBoxes;
class QWidget;

/// What a file on disk held when this program last read or wrote it, so that a version something
/// else put there since (a sync tool, a hand edit) is kept aside instead of being written over.
class DiskVersion
{
public:
    /// The file holds these bytes now (just read or just written).
    void remember(const QByteArray &bytes);
    /// The same, for bytes that were streamed by: digest is ContentDigest's result over them.
    void rememberDigest(const QByteArray &digest);
    /// The file is missing now.
    void rememberMissing();
    /// Reads the file to learn what it holds now; an unreadable file leaves nothing known.
    void rememberFile(const QString &path);

    /// When the file at path no longer holds what was remembered, keeps what it holds now beside
    /// it as "<name>.conflict-<date> <time>" and tells where in copyPath (left empty when nothing
    /// had changed, the file was removed, or nothing was known). False when the other version
    /// could not be kept: the caller must not write over it then. A version kept is remembered,
    /// so a failed save that follows does not keep it twice. now dates the copy's name.
    bool keepOtherVersion(const QString &path, QString *copyPath, FileError *error,
                          const QDateTime &now = QDateTime::currentDateTime());

private:
    enum class State { Unknown, Missing, Present };
    State m_state = State::Unknown;
    QByteArray m_digest;
};

/// "<path>.<label>-<date> <time>" for now, with " (2)", " (3)"... added while that name is
/// taken, so a copy never replaces one made earlier in the same second.
QString freeDatedPath(const QString &path, const QString &label, const QDateTime &now);

/// Tells the user, once, that the file at path had been changed elsewhere and where that other
/// version is kept.
void tellOtherVersionKept(MessageBoxes *messages, QWidget *parent, const QString &path,
                          const QString &copyPath);
