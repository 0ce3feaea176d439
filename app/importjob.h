// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"
#include "exchange/mergeimport.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

/// Reads one file to import on a thread of its own, and works out there what it changes in a
/// copy of the lists as they stood, so that a large file never holds up the window; both come
/// back on the thread that started it.
class ImportJob : public QObject
{
    Q_OBJECT
public:
    /// lists: the document's content when the job starts (shared, not copied).
    ImportJob(const QString &path, const DataFileContent &lists, QObject *parent = nullptr);
    /// Cancels the reading and waits for the thread.
    ~ImportJob() override;

    QString path() const { return m_path; }
    const DataFileContent &lists() const { return m_lists; }
    void start();
    /// Stops the reading at its next piece; finished then reports the cancelled import.
    void cancel() { m_cancelled = true; }
    bool wasCancelled() const { return m_cancelled; }

signals:
    /// done of total bytes read.
    void progressed(qint64 done, qint64 total);
    /// plan is made from lists[result.section]; empty when the file could not be read.
    void finished(const ImportResult &result, const mergeimport::Plan &plan);

private:
    const QString m_path;
    std::atomic_bool m_cancelled = false;
    std::unique_ptr<QThread> m_thread;
    const DataFileContent m_lists;
    ImportResult m_result;
    mergeimport::Plan m_plan;
};
