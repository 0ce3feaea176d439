// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QObject>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

/// The address list of the selected contact, inside the contact's edit frame: the box for a new
/// address, the list box and the Add, Edit, Remove and Set as Default buttons. Every change ends
/// with changed(), on which the section writes the record.
class AddressEditor : public QObject
{
    Q_OBJECT
public:
    /// Creates the controls in frame.
    AddressEditor(const Services &services, QWidget *frame);

    QLineEdit *newAddressBox() const { return m_newAddressEdit; }
    QStringList entries() const;
    /// Shows a contact's entries with none selected, so Edit, Remove and Set as Default are off.
    void setEntries(const QStringList &entries);

    /// Add: appends the typed address (after asking when it fails the check) and empties the box.
    void addTypedAddress();
    /// Remove, Set as Default and Edit act on the selected entry; without one they do nothing.
    void removeSelected();
    void makeSelectedDefault();
    void editSelected();

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Shows entries and selects one (none for -1); a selection enables the entry buttons.
    void showEntries(const QStringList &entries, int selected);
    int selectedRow() const;
    /// Shows the default address in bold.
    void markDefault();
    void updateEntryButtons();

    const Services &m_services;
    QLineEdit *m_newAddressEdit = nullptr;
    QPushButton *m_addButton = nullptr;
    QListWidget *m_addressList = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_defaultButton = nullptr;
};
