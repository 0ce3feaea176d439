// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/textfile.h"
#include "store/datafile.h"

#include <QDateTime>
#include <QObject>
#include <QThreadPool>

#include <optional>

/// The copy of everything typed since the last save ("savedfile.qlt.recovery" beside the data
/// file, or in the user's data folder where that folder refuses it), so that a kill, a crash or a
/// power cut loses at most the last few seconds. Written atomically, in the background.
/// The user's data folder is shared by every data folder, so a copy kept there carries its own
/// folder in its name ("savedfile.qlt.<folder key>.recovery") and is never offered to, nor
/// removed by, another one.
class RecoveryCopy : public QObject
{
    Q_OBJECT
public:
    /// dataPath is the data file's path; fallbackFolder where the copy goes when its folder
    /// refuses (none when it is the data file's own folder).
    RecoveryCopy(const QString &dataPath, const QString &fallbackFolder, QObject *parent = nullptr);
    /// Waits for a write in flight, so nothing is cut short.
    ~RecoveryCopy() override;

    QString path() const { return m_path; }
    QString fallbackPath() const { return m_fallbackPath; }

    /// The copy a run that did not end properly left (its path, with its bytes), or empty.
    QString findLeftover(QByteArray *bytes) const;
    /// Renames a leftover copy to "savedfile.qlt.recovery-<date time>" beside it, so a wrong answer
    /// loses nothing; only the newest five such copies are kept.
    void keepAside(const QString &leftover, const QDateTime &now);
    /// Leaves a leftover copy for the next start, when its question went unanswered: this run
    /// neither writes over it nor removes it.
    void holdLeftover();

    /// Serializes and writes the snapshot off the window's thread; the caller only copies lists.
    void writeLater(const DataFileContent &snapshot);
    /// Writes at once and waits: where the copy was kept, or empty with error set.
    QString writeNow(const DataFileContent &snapshot, FileError *error);
    /// Removes the copy after a successful save (after any write still in flight).
    void discard();
    /// Waits until every write asked for is done.
    void waitForWrites();

private:
    /// Runs on the writer thread (or on the caller's once the writer is idle).
    QString write(const DataFileContent &snapshot, FileError *error);

    QString m_path;
    QString m_fallbackPath;
    /// What the copy holds, so an unchanged snapshot is not written again.
    std::optional<DataFileContent> m_lastWritten;
    QString m_lastWhere;
    bool m_held = false;
    QThreadPool m_writer;
};
