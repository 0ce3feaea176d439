#include "widgets/fieldvalidation.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

FieldValidation &FieldValidation::instance()
{
    static FieldValidation *validation = new FieldValidation;
    return *validation;
}

FieldValidation::FieldValidation()
{
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FieldValidation::onFocusChanged);
}

void FieldValidation::watch(QWidget *field, Check check)
{
    m_checks.insert(field, std::move(check));
    connect(field, &QObject::destroyed, this, [this, field] { m_checks.remove(field); });
}

QWidget *FieldValidation::watchedFieldOf(QWidget *widget) const
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (m_checks.contains(w))
            return w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool FieldValidation::check(QWidget *field, ulong stamp)
{
    if (m_running)
        return true;
    // A focus change reuses the answer of the press that caused it; a press reuses the answer
    // given for itself or for the focus change it caused.
    const bool samePress = stamp == 0 ? m_lastStamp != 0 : (m_lastStamp == stamp || m_lastStamp == 0);
    if (m_lastChecked == field && samePress) {
        if (stamp != 0)
            m_lastStamp = stamp;
        return m_lastAnswer;
    }
    m_running = true;
    const Check check = m_checks.value(field);
    const bool accepted = !check || check();
    m_running = false;
    m_lastChecked = field;
    m_lastStamp = stamp;
    m_lastAnswer = accepted;
    QTimer::singleShot(0, this, [this] { m_lastChecked = nullptr; });
    return accepted;
}

bool FieldValidation::commitFocused()
{
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    if (!field)
        return true;
    m_lastChecked = nullptr; // a save always checks afresh
    return check(field, 0);
}

bool FieldValidation::allowPress(QWidget *target, ulong stamp)
{
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    if (!field || m_running || !target || target->window() != field->window())
        return true;
    if (target == field || field->isAncestorOf(target))
        return true;
    return check(field, stamp);
}

bool FieldValidation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        m_lastChecked = nullptr; // typing changes what the next check sees
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const ulong stamp = qMax<ulong>(1, static_cast<QMouseEvent *>(event)->timestamp());
    if (watched->isWidgetType())
        return !allowPress(static_cast<QWidget *>(watched), stamp);
    // A real press reaches the window first, before Qt moves the focus or the pressed widget
    // acts on it.
    if (!watched->isWindowType())
        return false;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == watched) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            QWidget *target = top->childAt(mouse->position().toPoint());
            return !allowPress(target ? target : top, stamp);
        }
    }
    return false;
}

void FieldValidation::onFocusChanged(QWidget *old, QWidget *now)
{
    QWidget *field = watchedFieldOf(old);
    if (!field || !now || now->window() != field->window() || m_running)
        return;
    if (field == now || field->isAncestorOf(now))
        return;
    if (!check(field, 0))
        field->setFocus(Qt::OtherFocusReason);
}
