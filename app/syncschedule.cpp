// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/syncschedule.h"

#include "sync/syncoutcome.h"

#include <QTimer>

SyncSchedule::SyncSchedule(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("tmrSync"));
    m_timer->setInterval(kInterval);
    connect(m_timer, &QTimer::timeout, this, &SyncSchedule::want);
}

void SyncSchedule::setReady(bool ready)
{
    if (ready == m_ready)
        return;
    m_ready = ready;
    if (!ready) {
        m_timer->stop();
        return;
    }
    want();
}

void SyncSchedule::documentSaved()
{
    want();
}

void SyncSchedule::userAsked()
{
    m_ready = true;
    want();
}

void SyncSchedule::want()
{
    if (!m_ready)
        return;
    // Every sync, whatever started it, puts the next timed one a whole interval away.
    m_timer->start();
    emit syncWanted();
}

void SyncSchedule::syncFinished(const SyncOutcome &outcome)
{
    if (outcome.conflicts > 0)
        emit conflictsArrived(outcome.conflicts);
    if (!outcome.passwordRefused)
        return;
    // A refused password is not tried again and again behind the user's back: the next sync
    // waits for them.
    setReady(false);
    if (!m_passwordAsked) {
        m_passwordAsked = true;
        emit passwordWanted();
    }
}
