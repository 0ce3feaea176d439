// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>

class Clock;
class QTimer;

/// Holds timers while the program is busy (the spoken time) and lets them go on afterwards as if
/// they had kept running: each ticks when its remaining time is over, at once when that came
/// during the hold, then at its own interval again.
class TimerPause : public QObject
{
    Q_OBJECT
public:
    TimerPause(const Clock &clock, QObject *parent);

    /// Stops the running timers among timers, each remembered with the time it had left (a
    /// timer still waiting to resume keeps what it has left of that).
    void pause(const QList<QTimer *> &timers);
    /// Lets every paused timer go on, less the time the pause lasted.
    void resume();

private:
    struct Paused
    {
        QPointer<QTimer> timer;
        qint64 leftMs;
    };
    /// Starts timer at its own interval and runs its tick now, unless it was started meanwhile.
    static void tickAndRun(QTimer *timer);

    const Clock &m_clock;
    QList<Paused> m_paused;
    QDateTime m_pausedAt;
    /// One-shots that will resume a timer, and the timer each resumes.
    QList<QPair<QPointer<QTimer>, QPointer<QTimer>>> m_waiting;
};
