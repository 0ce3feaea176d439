// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

/// frmNewQuote: the one-line editor of a single quote, for adding and for editing. It writes
/// its result straight into the quote list of the editor that opened it.
class NewQuoteDialog : public QDialog
{
    Q_OBJECT
public:
    /// Adds a quote at the end of quotes unless editRow() chooses one to replace.
    NewQuoteDialog(QListWidget *quotes, QWidget *parent);

    /// Edits the quote at row instead: the box starts with its text, and OK replaces it.
    void editRow(int row);

    /// OK: adds or replaces the quote, then closes.
    void accept() override;

private:
    QListWidget *m_quotes;
    QLineEdit *m_quoteEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    /// The row of the quote being edited; -1 adds a new quote.
    int m_editedRow = -1;
};
