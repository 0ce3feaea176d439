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

bool FieldValidation::runCheck(QWidget *field)
{
    if (m_running)
        return true;
    m_running = true;
    const Check check = m_checks.value(field);
    const bool accepted = !check || check();
    m_running = false;
    return accepted;
}

bool FieldValidation::commitFocused()
{
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    return !field || runCheck(field);
}

bool FieldValidation::eventFilter(QObject *watched, QEvent *event)
{
    // Mouse presses are caught where they reach the window, before Qt moves the focus or the
    // pressed widget acts on them.
    if ((event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        || !watched->isWindowType())
        return false;
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    if (!field || m_running)
        return false;
    QWidget *top = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == watched) {
            top = w;
            break;
        }
    }
    if (!top || top != field->window())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    QWidget *target = top->childAt(mouse->position().toPoint());
    if (!target)
        target = top;
    if (target == field || field->isAncestorOf(target))
        return false;
    if (!runCheck(field))
        return true;
    // The focus change that this press may cause has been checked already.
    m_checkedByClick = field;
    QTimer::singleShot(0, this, [this] { m_checkedByClick = nullptr; });
    return false;
}

void FieldValidation::onFocusChanged(QWidget *old, QWidget *now)
{
    QWidget *field = watchedFieldOf(old);
    if (!field || !now || now->window() != field->window() || m_running)
        return;
    if (field == now || field->isAncestorOf(now))
        return;
    if (m_checkedByClick == field) {
        m_checkedByClick = nullptr;
        return;
    }
    if (!runCheck(field))
        field->setFocus(Qt::OtherFocusReason);
}
