#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

/// frmNewQuote: the one-line editor of a single quote, for adding and for editing. It writes
/// its result straight into the quote list of the editor that opened it.
class NewQuoteDialog : public QDialog
{
    Q_OBJECT
public:
    NewQuoteDialog(QListWidget *lstQuotes, QWidget *parent);

    /// The index in the list of the quote being edited; -1 adds a new quote.
    int iEditIndex = -1;

    QLineEdit *txtQuote;

    /// OK: adds or replaces the quote, then closes.
    void accept() override;

private:
    QListWidget *m_lstQuotes;
    QGroupBox *Frame1;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
