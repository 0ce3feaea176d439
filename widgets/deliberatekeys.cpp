// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/deliberatekeys.h"

#include "platform/clock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace {
/// How long the window stands before keys count, and the pause in typing that makes a key count.
constexpr qint64 kSettleMs = 1000;
} // namespace

DeliberateKeys::DeliberateKeys(const Clock &clock, QWidget *window)
    : QObject(window)
    , m_clock(clock)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool DeliberateKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show) {
        // Shown again, it starts afresh.
        m_shownAt = m_clock.now();
        m_lastPressAt = {};
        m_attended = false;
        m_down.clear();
    }
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == m_window)
        m_attended = true;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // Judged once, where the key arrives first; on its way up to the parents it has passed.
    QWidget *first = m_window->focusWidget() ? m_window->focusWidget() : m_window;
    if (watched != first)
        return false;
    return stray(event);
}

bool DeliberateKeys::stray(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (event->type() == QEvent::KeyRelease)
        return !m_down.remove(key->key());
    const QDateTime now = m_clock.now();
    const QDateTime lastPress = std::exchange(m_lastPressAt, now);
    const bool settled = m_shownAt.isValid() && m_shownAt.msecsTo(now) >= kSettleMs;
    if (key->isAutoRepeat() || !settled)
        return true;
    const bool typingOn = lastPress.isValid() && lastPress.msecsTo(now) < kSettleMs;
    if (typingOn && !m_attended)
        return true;
    m_attended = true;
    m_down.insert(key->key());
    return false;
}
