#pragma once

#include "widgets/section.h"
#include "contacts/displayname.h"

class ARButton;
class ContactEditor;

/// fraEmails: the contacts, their edit frame and the hand-off of the default address to the
/// desktop's mail program.
class ContactsSection : public Section
{
    Q_OBJECT
public:
    ContactsSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

    /// Writes the edit frame into the selected contact's tag (adds "New Email" to an empty list).
    void PutInfo2Lst();
    /// Shows the selected contact in the edit frame.
    void ReadInfoFromLst();
    /// The selected contact's default address, without the marker; empty when it has none.
    QString GetDefaultEmail() const;

    void addContact();
    void removeContact();
    /// The mail button.
    void mailContact();

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;

private:
    /// The edit frame and buttons follow whether the list holds a contact.
    void refresh();
    void contactClicked();
    /// Hands the default address to the mail program, when there is one.
    void mailDefault();
    /// A name box was left: store the record, then let the display name follow.
    bool nameBoxLeft(displayname::Box box);

    ContactEditor *m_editor = nullptr;
    ARButton *m_arbEmailRemove = nullptr;
    ARButton *m_arbEmailOE = nullptr;
};
