#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>

class Clock;
class QWidget;

/// Lets a window that pops up by itself (the alarm) take only keys pressed for it: none in its
/// first second on screen, no auto-repeat, and no release of a key that was already down when it
/// came. Someone typing elsewhere, or holding Enter, then does not answer it unread.
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
    /// Keys pressed since the window settled, not yet released.
    QSet<int> m_down;
};
