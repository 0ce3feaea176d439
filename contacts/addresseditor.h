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

    QLineEdit *newAddressBox() const { return m_txtEmail; }
    QStringList entries() const;
    /// Shows a contact's entries with none selected, so Edit, Remove and Set as Default are off.
    void setEntries(const QStringList &entries);

    void add();
    void remove();
    void setDefault();
    void edit();

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Shows entries and selects one (none for -1); a selection enables the entry buttons.
    void show(const QStringList &entries, int selected);
    int selectedRow() const;
    /// Shows the default address in bold.
    void markDefault();
    void updateEntryButtons();

    const Services &m_services;
    QLineEdit *m_txtEmail = nullptr;
    QPushButton *m_cmdAddEmail = nullptr;
    QListWidget *m_lstCurEmails = nullptr;
    QPushButton *m_cmdEditEmail = nullptr;
    QPushButton *m_cmdRemoveEmail = nullptr;
    QPushButton *m_cmdDefault = nullptr;
};
