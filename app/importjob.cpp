// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/importjob.h"

#include "exchange/exchangefile.h"

#include <QThread>

ImportJob::ImportJob(const QString &path, const DataFileContent &lists, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_lists(lists)
{
}

ImportJob::~ImportJob()
{
    if (!m_thread)
        return;
    m_cancelled = true;
    m_thread->wait();
}

void ImportJob::start()
{
    m_thread.reset(QThread::create([this] {
        m_result = exchange::importFile(m_path, [this](qint64 done, qint64 total) {
            QMetaObject::invokeMethod(this, [this, done, total] { emit progressed(done, total); }, Qt::QueuedConnection);
            return !m_cancelled;
        });
        if (m_result.ok())
            m_plan = mergeimport::plan(m_result.section, m_lists[m_result.section], m_result.records);
    }));
    // QThread::finished comes from the worker: queued to this object's thread.
    connect(m_thread.get(), &QThread::finished, this, [this] { emit finished(m_result, m_plan); });
    m_thread->start();
}
