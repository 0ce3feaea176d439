// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/timerpause.h"

#include "platform/clock.h"

#include <QTimer>

TimerPause::TimerPause(const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
}

void TimerPause::pause(const QList<QTimer *> &timers)
{
    m_pausedAt = m_clock.now();
    for (const auto &[shot, timer] : std::as_const(m_waiting)) {
        if (!shot)
            continue;
        if (timer && shot->isActive())
            m_paused.append({timer, shot->remainingTime()});
        shot->stop();
        shot->deleteLater();
    }
    m_waiting.clear();
    for (QTimer *timer : timers) {
        if (!timer->isActive() || timer->parent() == this)
            continue;
        m_paused.append({timer, timer->remainingTime()});
        timer->stop();
    }
}

void TimerPause::resume()
{
    const qint64 pausedMs = qMax<qint64>(0, m_pausedAt.msecsTo(m_clock.now()));
    for (const Paused &paused : std::as_const(m_paused)) {
        if (!paused.timer)
            continue;
        auto *shot = new QTimer(this);
        shot->setSingleShot(true);
        QPointer<QTimer> timer = paused.timer;
        connect(shot, &QTimer::timeout, this, [shot, timer] {
            shot->deleteLater();
            if (timer)
                tickAndRun(timer);
        });
        m_waiting.append({shot, timer});
        shot->start(int(qMax<qint64>(0, paused.leftMs - pausedMs)));
    }
    m_paused.clear();
}

void TimerPause::tickAndRun(QTimer *timer)
{
    // Its owner may have started it meanwhile (a save restarting its feedback): that start holds.
    if (timer->isActive())
        return;
    if (!timer->isSingleShot())
        timer->start();
    QMetaObject::invokeMethod(timer, "timeout");
}
