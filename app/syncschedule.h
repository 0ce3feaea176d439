// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>

class QTimer;
struct SyncOutcome;

/// When the sync runs: at start, after each save, every 15 minutes while the program runs, and
/// when the user asks; only while an account and its password are ready. It also decides what
/// an outcome is worth telling: conflicts once each time they arrive, a refused password once a
/// run, and nothing at all for a server that cannot be reached (the next sync tries again).
class SyncSchedule : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::minutes kInterval{15};

    explicit SyncSchedule(QObject *parent = nullptr);

    /// An account and its password are ready: the first sync is wanted at once, then on every
    /// occasion. Off: nothing is wanted (no account, or its password was refused).
    void setReady(bool ready);
    bool isReady() const { return m_ready; }

    /// A save wrote the user's changes.
    void documentSaved();
    /// The user asked ("Sync now"): wanted even after a refused password, as they may have
    /// typed a new one.
    void userAsked();
    /// How the sync wanted last ended.
    void syncFinished(const SyncOutcome &outcome);

    /// The 15-minute timer, for whoever needs to stop or tick it.
    QTimer *timer() const { return m_timer; }

signals:
    void syncWanted();
    /// count records arrived beside their local version: tell the user once.
    void conflictsArrived(int count);
    /// The server refused the password for the first time this run: ask for it.
    void passwordWanted();

private:
    void want();

    QTimer *m_timer;
    bool m_ready = false;
    bool m_passwordAsked = false;
};
