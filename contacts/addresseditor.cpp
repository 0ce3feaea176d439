// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/addresseditor.h"

#include "contacts/addressdelegate.h"
#include "contacts/renamedialog.h"
#include "contacts/wrappingbutton.h"
#include "core/addresslist.h"
#include "platform/messageboxes.h"
#include "widgets/placedbutton.h"
#include "widgets/selectonfocuslineedit.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *makeButton(QPushButton *button, const QString &name, const QRect &geometry)
{
    // Every address button waits for text or a chosen address.
    button->setEnabled(false);
    return placeButton(button, name, geometry);
}

} // namespace

AddressEditor::AddressEditor(const Services &services, QWidget *frame)
    : QObject(frame)
    , m_services(services)
{
    auto *label = new QLabel(QStringLiteral("&Email Addresses:"), frame);
    label->setGeometry(6, 144, 108, 14);

    m_newAddressEdit = new SelectOnFocusLineEdit(frame);
    m_newAddressEdit->setObjectName(QStringLiteral("txtEmail"));
    m_newAddressEdit->setGeometry(9, 161, 169, 19);
    label->setBuddy(m_newAddressEdit);

    m_addButton = makeButton(new QPushButton(QStringLiteral("&Add"), frame),
                               QStringLiteral("cmdAddEmail"), {183, 160, 51, 19});

    m_addressList = new QListWidget(frame);
    m_addressList->setObjectName(QStringLiteral("lstCurEmails"));
    m_addressList->setAccessibleName(QStringLiteral("Addresses of this contact"));
    // The list takes the frame's whole width, so an address and its default marker fit at 1x;
    // its buttons stand in a row below it, each wide enough for its caption.
    m_addressList->setGeometry(9, 183, 223, 74);
    m_addressList->setSelectionMode(QAbstractItemView::SingleSelection);
    new AddressDelegate(m_addressList);

    m_editButton = makeButton(new QPushButton(QStringLiteral("Edi&t"), frame),
                                QStringLiteral("cmdEditEmail"), {9, 261, 56, 21});
    m_removeButton = makeButton(new QPushButton(QStringLiteral("&Remove"), frame),
                                  QStringLiteral("cmdRemoveEmail"), {69, 261, 66, 21});
    m_defaultButton = makeButton(new WrappingButton(QStringLiteral("&Set as Default"), frame),
                              QStringLiteral("cmdDefault"), {139, 261, 93, 21});

    QWidget::setTabOrder(m_newAddressEdit, m_addButton);
    QWidget::setTabOrder(m_addButton, m_addressList);
    QWidget::setTabOrder(m_addressList, m_editButton);
    QWidget::setTabOrder(m_editButton, m_removeButton);
    QWidget::setTabOrder(m_removeButton, m_defaultButton);

    connect(m_newAddressEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_addButton->setEnabled(!text.isEmpty()); });
    // Add is the default button while the box has the focus: Enter presses it.
    m_newAddressEdit->installEventFilter(this);
    connect(m_newAddressEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_addButton->isEnabled())
            m_addButton->click();
    });
    connect(m_addButton, &QPushButton::clicked, this, &AddressEditor::addTypedAddress);
    connect(m_addressList, &QListWidget::itemSelectionChanged, this,
            &AddressEditor::updateEntryButtons);
    connect(m_addressList, &QListWidget::itemDoubleClicked, this, &AddressEditor::makeSelectedDefault);
    connect(m_defaultButton, &QPushButton::clicked, this, &AddressEditor::makeSelectedDefault);
    connect(m_editButton, &QPushButton::clicked, this, &AddressEditor::editSelected);
    connect(m_removeButton, &QPushButton::clicked, this, &AddressEditor::removeSelected);
}

bool AddressEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_newAddressEdit && event->type() == QEvent::FocusIn)
        m_addButton->setDefault(true);
    else if (watched == m_newAddressEdit && event->type() == QEvent::FocusOut)
        m_addButton->setDefault(false);
    return QObject::eventFilter(watched, event);
}

QStringList AddressEditor::entries() const
{
    QStringList result;
    result.reserve(m_addressList->count());
    for (int i = 0; i < m_addressList->count(); ++i)
        result.append(m_addressList->item(i)->text());
    return result;
}

void AddressEditor::setEntries(const QStringList &entries)
{
    showEntries(entries, -1);
}

void AddressEditor::showEntries(const QStringList &entries, int selected)
{
    m_addressList->clear();
    m_addressList->addItems(entries);
    markDefault();
    if (selected >= 0)
        m_addressList->setCurrentRow(selected);
    updateEntryButtons();
}

void AddressEditor::markDefault()
{
    // The marker stands at the end, where a long address cuts it off: the bold entry still
    // shows which one it is.
    for (int row = 0; row < m_addressList->count(); ++row) {
        QListWidgetItem *item = m_addressList->item(row);
        QFont font = m_addressList->font();
        font.setBold(addresslist::hasMarker(item->text()));
        item->setFont(font);
    }
}

int AddressEditor::selectedRow() const
{
    const QList<QListWidgetItem *> selected = m_addressList->selectedItems();
    return selected.isEmpty() ? -1 : m_addressList->row(selected.first());
}

void AddressEditor::updateEntryButtons()
{
    // An entry operation always needs a selected entry.
    const bool hasSelection = selectedRow() >= 0;
    m_editButton->setEnabled(hasSelection);
    m_removeButton->setEnabled(hasSelection);
    m_defaultButton->setEnabled(hasSelection);
}

void AddressEditor::addTypedAddress()
{
    const QString text = m_newAddressEdit->text();
    if (!addresslist::isValidAddress(text)) {
        const auto answer = m_services.messages->show(
            m_newAddressEdit->window(),
            QStringLiteral("the e-mail address you have entered is not a valid internet e-mail "
                           "address.\nDo you still want to add this e-mail address?"),
            QString(), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation);
        if (answer != MessageBoxes::Answer::Yes)
            return;
    }
    const QStringList before = entries();
    m_addressList->addItem(addresslist::added(before, text).constLast());
    markDefault();
    m_newAddressEdit->clear();
    m_newAddressEdit->setFocus();
    emit changed();
}

void AddressEditor::removeSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const addresslist::Removal removal = addresslist::removed(entries(), row);
    showEntries(removal.entries, removal.selected);
    emit changed();
}

void AddressEditor::makeSelectedDefault()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QStringList before = entries();
    const QStringList after = addresslist::withDefault(before, row);
    if (after != before)
        showEntries(after, row);
    emit changed();
}

void AddressEditor::editSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString entry = m_addressList->item(row)->text();
    const bool isDefault = addresslist::hasMarker(entry);
    RenameDialog dialog(m_services, m_addressList->window());
    dialog.setAddress(isDefault ? addresslist::withoutMarker(entry) : entry, isDefault);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (QListWidgetItem *item = m_addressList->item(row))
        item->setText(dialog.entryText());
    markDefault();
    m_addressList->setFocus();
    emit changed();
}
