// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "platform/diskversion.h"

#include <QDialog>

class QListWidget;
class QPushButton;

/// frmQuote: the list of quotes with Add, Edit and Remove. The edits stay in the list until OK
/// writes quotes.txt; Cancel drops them.
class QuoteDialog : public QDialog
{
    Q_OBJECT
public:
    QuoteDialog(const Services &services, QWidget *parent);

    /// Fills the list from quotes.txt. False, after telling the user, when the file exists but
    /// cannot be read: the editor must not then replace quotes it could not show.
    bool load();
    /// load(), then the editor modally; what the user asks for once it opens.
    int run();

    /// Add: the one-line editor, for a quote at the end of the list.
    void addQuote();
    /// Edit: the one-line editor, filled with the selected quote.
    void editQuote();
    /// Remove: drops the selected quote and selects its neighbour.
    void removeQuote();
    /// OK: writes quotes.txt and closes; when it cannot be written the editor stays open. A
    /// quotes.txt changed elsewhere since load() is kept aside first.
    void accept() override;

    /// The selected index, or -1.
    int selectedIndex() const;

signals:
    /// quotes.txt has been rewritten.
    void quotesSaved();

private:
    void updateButtons();

    const Services &m_services;
    DiskVersion m_onDisk;
    QListWidget *m_quoteList = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
