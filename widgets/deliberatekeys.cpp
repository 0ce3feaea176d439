#include "widgets/deliberatekeys.h"

#include "platform/clock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

DeliberateKeys::DeliberateKeys(const Clock &clock, QWidget *window)
    : QObject(window)
    , m_clock(clock)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool DeliberateKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show)
        m_shownAt = m_clock.now();
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
    const bool settled = m_shownAt.isValid() && m_shownAt.msecsTo(m_clock.now()) >= 1000;
    if (key->isAutoRepeat() || !settled)
        return true;
    m_down.insert(key->key());
    return false;
}
