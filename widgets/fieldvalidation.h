#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

/// The "field is left" event, built once for the whole program. A watched field's check runs
/// when the focus is about to leave it: before a click elsewhere in its window takes effect
/// (also on pictures and buttons that never take the focus), and when the focus moves by key or
/// by code. A check that answers false keeps the focus in the field and swallows the click.
class FieldValidation : public QObject
{
    Q_OBJECT
public:
    using Check = std::function<bool()>;

    /// The one instance; it watches the application's events once created.
    static FieldValidation &instance();

    /// Runs check whenever the focus leaves field (or a child of it, such as a spin box's editor).
    void watch(QWidget *field, Check check);

    /// Runs the focused field's check as if it were left now: before a save, so that what the
    /// user sees is what is saved. True when no field is focused or the check accepts.
    bool commitFocused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldValidation();
    QWidget *watchedFieldOf(QWidget *widget) const;
    /// Runs the field's check, or reuses the answer it gave for the event being handled now:
    /// one press is seen at the window, by the focus change and by each widget it passes.
    /// stamp is the press's time stamp, 0 for a focus change.
    bool check(QWidget *field, ulong stamp);
    /// A press on target while a watched field has the focus: false swallows it.
    bool allowPress(QWidget *target, ulong stamp);
    void onFocusChanged(QWidget *old, QWidget *now);

    QHash<QWidget *, Check> m_checks;
    QPointer<QWidget> m_lastChecked;
    ulong m_lastStamp = 0;
    bool m_lastAnswer = true;
    bool m_running = false;
};
