// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

#include <initializer_list>

class QSocketNotifier;

/// Turns Unix signals into a Qt signal on the window's thread. The handler only writes the
/// signal's number into a socket pair; the event loop reads it from there, so anything may be
/// done in reply. One watcher per program.
class UnixSignals : public QObject
{
    Q_OBJECT
public:
    explicit UnixSignals(std::initializer_list<int> numbers, QObject *parent = nullptr);
    ~UnixSignals() override;

signals:
    void received(int number);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
    QList<int> m_numbers;
};
