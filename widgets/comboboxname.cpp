// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/comboboxname.h"

#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>

namespace {

const char *const kNamedProperty = "quilletNamedList";

class NamedComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(QComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = combo()->view() && combo()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *namedComboBoxInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox") && object->property(kNamedProperty).toBool())
        return new NamedComboBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

void nameComboBox(QComboBox *combo, const QString &name)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(namedComboBoxInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    combo->setProperty(kNamedProperty, true);
    combo->setAccessibleName(name);
}
