// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QWidget;

/// The "field is left" event, built once for the whole program. A watched field's check runs
/// when the focus is about to leave it: before a click elsewhere in its window takes effect
/// (also on pictures and buttons that never take the focus), and when the focus moves by key or
/// by code, before the widget that receives the focus acts on it. A check that answers false
/// keeps the focus in the field and swallows the click.
class FieldValidation : public QObject
{
    Q_OBJECT
public:
    using Check = std::function<bool()>;

    /// The one instance; it watches the application's events once created.
    static FieldValidation &instance();

    /// Runs check whenever the focus leaves field (or a child of it, such as a spin box's editor).
    void watch(QWidget *field, Check check);

    /// Leaving a field for target (a click on it, or the focus moving to it) runs no check:
    /// a Cancel button that drops whatever was typed.
    void leaveUncheckedFor(QWidget *target);

    /// Runs the focused field's check as if it were left now: before a save, so that what the
    /// user sees is what is saved. True when no field is focused or the check accepts.
    bool commitFocused();
    /// The same for the focused field of window, for a copy taken behind the user's back:
    /// without a word to the user and without moving their cursor; not while a modal window is
    /// open or a caption is typed in place.
    void commitFocusedQuietly(const QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldValidation();
    QWidget *watchedFieldOf(QWidget *widget) const;
    bool leavesUnchecked(const QWidget *field, const QWidget *target) const;
    /// Runs the field's check. One press is seen at the window, by each widget it passes and by
    /// the focus change it causes: those reuse the answer given for it, until the press ends
    /// (released, the mouse moved, a key). stamp is the press's time stamp, 0 for a focus change.
    bool check(QWidget *field, ulong stamp);
    /// A press on target while a watched field has the focus: false swallows it.
    bool allowPress(QWidget *target, ulong stamp);
    /// The focus has just left old (a field or inside one) for the application's focus widget.
    void focusLeft(QWidget *old);
    void forgetLastAnswer();

    QHash<QWidget *, Check> m_checks;
    QSet<QWidget *> m_unchecked;
    QPointer<QWidget> m_lastField;
    ulong m_lastStamp = 0;
    bool m_lastAnswer = true;
    bool m_running = false;
};
