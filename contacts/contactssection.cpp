// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/contactssection.h"

#include "contacts/addresseditor.h"
#include "contacts/contacteditor.h"
#include "contacts/mailto.h"
#include "core/contactmodel.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "widgets/arbutton.h"
#include "widgets/fieldvalidation.h"
#include "widgets/recordlistview.h"

#include <QItemSelectionModel>
#include <QLineEdit>

namespace {
const QString kNewContact = QStringLiteral("New Email");
}

ContactsSection::ContactsSection(const Services &services, ContactModel *records, QUndoStack *history,
                                 QWidget *parent)
    : Section(services, QStringLiteral("fraEmails"), QStringLiteral("My Email Addresses"),
              QStringLiteral("lstEmails"), QStringLiteral("Email"), records, history, parent)
{
    ARButton *add = addArButton(QStringLiteral("arbEmailAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new e-mail address"), false);
    m_removeButton = addArButton(QStringLiteral("arbEmailRemove"), {35, 264},
                                   QStringLiteral("arb_remove"),
                                   QStringLiteral("Remove selected  e-mail address"), true);
    m_mailButton = addArButton(
        QStringLiteral("arbEmailOE"), {65, 264}, QStringLiteral("arb_mail"),
        QStringLiteral("Open default e-mail application to send an e-mail to selected address"),
        true);
    add->setAccessibleName(QStringLiteral("Add contact"));
    m_removeButton->setAccessibleName(QStringLiteral("Remove contact"));
    m_mailButton->setAccessibleName(QStringLiteral("Send e-mail"));
    connect(add, &ARButton::clicked, this, &ContactsSection::addContact);
    connect(m_removeButton, &ARButton::clicked, this, &ContactsSection::removeContact);
    connect(m_mailButton, &ARButton::clicked, this, &ContactsSection::mailContact);

    m_editor = new ContactEditor(services, this);
    reportTypingIn({m_editor->firstNameBox(), m_editor->lastNameBox(), m_editor->titleBox(),
                    m_editor->displayBox(), m_editor->addresses()->newAddressBox()});
    connect(m_editor->addresses(), &AddressEditor::changed, this, &ContactsSection::storeEditor);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_editor->firstNameBox(),
                     [this] { return nameBoxLeft(displayname::Box::FirstName); });
    validation.watch(m_editor->lastNameBox(),
                     [this] { return nameBoxLeft(displayname::Box::LastName); });
    validation.watch(m_editor->titleBox(), [this] {
        storeEditor();
        return true;
    });
    validation.watch(m_editor->displayBox(),
                     [this] { return nameBoxLeft(displayname::Box::Display); });

    // The edit frame always shows the selected contact, however the selection moved (a click,
    // the keyboard, a removal), so a name box never writes into another contact.
    connect(list()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &now) {
                if (now.isValid())
                    contactClicked();
            });
    connect(list(), &RecordListView::clicked, this, &ContactsSection::contactClicked);
    // A click on the empty space below the contacts leaves none selected.
    connect(list()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (list()->count() > 0)
            refresh();
    });
    connect(list(), &RecordListView::doubleClicked, this, &ContactsSection::mailDefault);
}

ContactModel *ContactsSection::contacts() const
{
    return static_cast<ContactModel *>(model());
}

void ContactsSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        m_mailButton->setEnabled(false);
        m_removeButton->setEnabled(false);
    }
}

void ContactsSection::recordsLoaded()
{
    m_editor->show();
    showSelectedContact();
}

void ContactsSection::storeEditor()
{
    if (contacts()->count() == 0)
        contacts()->appendRecord(kNewContact, QString(), false);
    const int row = list()->selectedRow();
    if (row >= 0)
        contacts()->setRecord(row, m_editor->record());
}

void ContactsSection::showSelectedContact()
{
    const int row = list()->selectedRow();
    const QString tag = contacts()->tag(row);
    if (tag.isEmpty()) {
        m_editor->clear();
        return;
    }
    m_editor->showRecord(contacts()->record(row));
    m_editor->displayBox()->setText(contacts()->caption(row));
}

void ContactsSection::refresh()
{
    const bool any = list()->count() > 0;
    // With none selected there is nothing to act on or type into.
    const bool selected = list()->selectedRow() >= 0;
    m_removeButton->setEnabled(selected);
    m_mailButton->setEnabled(selected);
    m_editor->setVisible(any);
    m_editor->setEnabled(selected);
    if (any)
        showSelectedContact();
    else
        m_editor->clear();
}

void ContactsSection::addContact()
{
    // Focus first: a name box still being edited is stored into the contact it shows.
    list()->setFocus();
    const int row = edits().add(kNewContact);
    list()->selectRow(row);
    list()->editCaption(row);
    refresh();
}

void ContactsSection::removeContact()
{
    if (list()->selectedRow() < 0)
        return;
    list()->setFocus();
    removeSelectedRecord(window(), QStringLiteral("Do you want to remove the selected email address?"));
    list()->setFocus();
    refresh();
}

void ContactsSection::contactClicked()
{
    if (list()->count() > 0)
        showSelectedContact();
    else
        m_editor->clear();
    const int row = list()->selectedRow();
    if (row >= 0 && contacts()->caption(row) != kNewContact)
        m_editor->displayBox()->setText(contacts()->caption(row));
    // showSelectedContact has reloaded the address list with no entry selected, so Edit, Remove
    // and Set as Default are off.
}

void ContactsSection::mailContact()
{
    if (list()->selectedRow() < 0)
        return;
    if (m_editor->addresses()->entries().isEmpty()) {
        m_services.messages->show(window(),
                                  QStringLiteral("There is no e-mail address for this item."),
                                  QString(), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Exclamation);
        return;
    }
    mailDefault();
}

void ContactsSection::mailDefault()
{
    const QString address = contacts()->defaultAddress(list()->selectedRow());
    // What the mail program makes of it is its own affair: the outcome is not examined.
    if (list()->selectedRow() >= 0 && !address.isEmpty())
        m_services.shell->open(mailtoText(address));
}

bool ContactsSection::nameBoxLeft(displayname::Box box)
{
    storeEditor();
    const int row = list()->selectedRow();
    displayname::State state{m_editor->firstNameBox()->text(), m_editor->lastNameBox()->text(),
                             m_editor->displayBox()->text(), std::nullopt};
    if (row >= 0)
        state.caption = contacts()->caption(row);
    const displayname::State after = displayname::afterLeaving(box, state);
    if (after.display != state.display)
        m_editor->displayBox()->setText(after.display);
    if (row >= 0 && after.caption != state.caption)
        contacts()->setCaption(row, *after.caption);
    return true;
}
