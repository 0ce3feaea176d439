// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/displayname.h"
#include "widgets/section.h"

class ARButton;
class ContactEditor;
class ContactModel;

/// fraEmails: the contacts, their edit frame and the hand-off of the default address to the
/// desktop's mail program.
class ContactsSection : public Section
{
    Q_OBJECT
public:
    ContactsSection(const Services &services, ContactModel *records, QUndoStack *history, QWidget *parent);

    void disableButtonsIfEmpty() override;

    ContactModel *contacts() const;

    /// Writes the edit frame into the selected contact (adds "New Email" to an empty list).
    void storeEditor();
    /// Shows the selected contact in the edit frame.
    void showSelectedContact();

    void addContact();
    void removeContact();
    /// The mail button.
    void mailContact();

protected:
    void recordsLoaded() override;
    /// The edit frame and buttons follow whether the list holds a contact.
    void refresh() override;

private:
    void contactClicked();
    /// Hands the default address to the mail program, when there is one.
    void mailDefault();
    /// A name box was left: store the record, then let the display name follow.
    bool nameBoxLeft(displayname::Box box);

    ContactEditor *m_editor = nullptr;
    ARButton *m_removeButton = nullptr;
    ARButton *m_mailButton = nullptr;
};
