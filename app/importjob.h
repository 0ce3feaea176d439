#pragma once

#include "exchange/importresult.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

/// Reads one file to import on a thread of its own, so that a large file never holds up the
/// window; what it read comes back on the thread that started it.
class ImportJob : public QObject
{
    Q_OBJECT
public:
    ImportJob(const QString &path, QObject *parent = nullptr);
    /// Cancels the reading and waits for the thread.
    ~ImportJob() override;

    QString path() const { return m_path; }
    void start();
    /// Stops the reading at its next piece; finished then reports the cancelled import.
    void cancel() { m_cancelled = true; }
    bool wasCancelled() const { return m_cancelled; }

signals:
    /// done of total bytes read.
    void progressed(qint64 done, qint64 total);
    void finished(const ImportResult &result);

private:
    const QString m_path;
    std::atomic_bool m_cancelled = false;
    std::unique_ptr<QThread> m_thread;
    ImportResult m_result;
};
