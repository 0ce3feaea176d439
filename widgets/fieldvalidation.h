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
    bool runCheck(QWidget *field);
    void onFocusChanged(QWidget *old, QWidget *now);

    QHash<QWidget *, Check> m_checks;
    QPointer<QWidget> m_checkedByClick;
    bool m_running = false;
};
