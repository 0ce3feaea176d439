// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>

class Clock;
class QWidget;

/// Lets a window that pops up by itself (the alarm) take only keys pressed for it: none in its
/// first second on screen, no auto-repeat, no release of a key that was already down when it
/// came, and, until it has taken a key or a click, none that follows another key within a
/// second. Someone typing on through its appearance, or holding Enter, then never answers it
/// unread; a key pressed after a pause, once the window has been seen, does.
class DeliberateKeys : public QObject
{
    Q_OBJECT
public:
    DeliberateKeys(const Clock &clock, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// True when the key event is to be dropped.
    bool stray(const QEvent *event);

    const Clock &m_clock;
    QWidget *m_window;
    QDateTime m_shownAt;
    /// The last key pressed for this window, taken or not.
    QDateTime m_lastPressAt;
    /// A key was taken or the window clicked: the person is answering it, keys count from now.
    bool m_attended = false;
    /// Keys pressed since the window settled, not yet released.
    QSet<int> m_down;
};
