// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/fieldvalidation.h"

#include "platform/messageboxes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
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
}

void FieldValidation::watch(QWidget *field, Check check)
{
    m_checks.insert(field, std::move(check));
    connect(field, &QObject::destroyed, this, [this, field] { m_checks.remove(field); });
}

void FieldValidation::leaveUncheckedFor(QWidget *target)
{
    m_unchecked.insert(target);
    connect(target, &QObject::destroyed, this, [this, target] { m_unchecked.remove(target); });
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

bool FieldValidation::leavesUnchecked(const QWidget *field, const QWidget *target) const
{
    if (!target || target->window() != field->window())
        return true;
    if (target == field || field->isAncestorOf(target))
        return true;
    return m_unchecked.contains(const_cast<QWidget *>(target));
}

void FieldValidation::forgetLastAnswer()
{
    m_lastField = nullptr;
}

bool FieldValidation::check(QWidget *field, ulong stamp)
{
    if (m_running)
        return true;
    if (m_lastField == field) {
        // The press seen again (at the window, then at each widget it passes), the press whose
        // focus change was just checked, or the focus change of a press that was accepted (a
        // refused press is swallowed, so it moves no focus).
        const bool samePress = stamp != 0 && (m_lastStamp == stamp || m_lastStamp == 0);
        const bool causedByPress = stamp == 0 && m_lastStamp != 0 && m_lastAnswer;
        if (samePress || causedByPress) {
            if (stamp != 0)
                m_lastStamp = stamp;
            return m_lastAnswer;
        }
    }
    m_running = true;
    const Check check = m_checks.value(field);
    const bool accepted = !check || check();
    m_running = false;
    m_lastField = field;
    m_lastStamp = stamp;
    m_lastAnswer = accepted;
    return accepted;
}

bool FieldValidation::commitFocused()
{
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    if (!field)
        return true;
    forgetLastAnswer(); // a save always checks afresh
    return check(field, 0);
}

void FieldValidation::commitFocusedQuietly(const QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *parent = focus ? focus->parentWidget() : nullptr;
    const bool editingCaption = parent && qobject_cast<QAbstractItemView *>(parent->parentWidget());
    if (!focus || focus->window() != window || QApplication::activeModalWidget() || editingCaption)
        return;
    auto *line = qobject_cast<QLineEdit *>(focus);
    const QString text = line ? line->text() : QString();
    const int cursor = line ? line->cursorPosition() : 0;
    {
        const MessageBoxes::Quiet quiet;
        commitFocused();
    }
    // A check may have tidied the text (a percent box): the user goes on with what they typed.
    if (line && line->text() != text) {
        const QSignalBlocker blocker(line);
        line->setText(text);
        line->setCursorPosition(cursor);
    }
}

bool FieldValidation::allowPress(QWidget *target, ulong stamp)
{
    QWidget *field = watchedFieldOf(QApplication::focusWidget());
    if (!field || m_running || leavesUnchecked(field, target))
        return true;
    return check(field, stamp);
}

void FieldValidation::focusLeft(QWidget *old)
{
    QWidget *field = watchedFieldOf(old);
    QWidget *now = QApplication::focusWidget();
    if (!field || m_running || leavesUnchecked(field, now))
        return;
    // Checked here, before the widget taking the focus hears of it: a list that shows its
    // record when it gets the focus must not reload the editor before the field is stored.
    if (!check(field, 0))
        field->setFocus(Qt::OtherFocusReason);
}

bool FieldValidation::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        // The press or key is over: what comes next is a new attempt, checked afresh, also
        // when the same value was refused a moment ago.
        forgetLastAnswer();
        return false;
    case QEvent::FocusOut:
        if (watched->isWidgetType()
            && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            focusLeft(static_cast<QWidget *>(watched));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return false;
    }
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const ulong stamp = qMax<ulong>(1, mouse->timestamp());
    if (watched->isWidgetType())
        return !allowPress(static_cast<QWidget *>(watched), stamp);
    // A real press reaches the window first, before Qt moves the focus or the pressed widget
    // acts on it.
    if (!watched->isWindowType())
        return false;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == watched) {
            QWidget *target = top->childAt(mouse->position().toPoint());
            return !allowPress(target ? target : top, stamp);
        }
    }
    return false;
}
