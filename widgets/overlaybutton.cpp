// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/overlaybutton.h"

#include "widgets/look.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace {

/// A push button to screen readers, with a checked state when it toggles: the widgets'
/// own interface would call a checkable button a check box.
class OverlayButtonAccessible : public QAccessibleWidget
{
public:
    explicit OverlayButtonAccessible(OverlayButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const auto *button = static_cast<const OverlayButton *>(widget());
        state.checkable = button->isCheckable();
        state.checked = button->isChecked();
        state.pressed = button->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<OverlayButton *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *overlayButtonInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("OverlayButton") && object->isWidgetType())
        return new OverlayButtonAccessible(static_cast<OverlayButton *>(object));
    return nullptr;
}

} // namespace

OverlayButton::OverlayButton(const QString &name, const QString &description, QWidget *parent)
    : QAbstractButton(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(overlayButtonInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(name);
    setAccessibleDescription(description);
}

void OverlayButton::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    look::drawFocusMark(painter, rect());
}

void OverlayButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses it as Space does, as on a desktop's own buttons.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat())
        click();
    else
        QAbstractButton::keyPressEvent(event);
}
