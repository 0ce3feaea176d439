// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/newquotedialog.h"
#include "widgets/look.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

NewQuoteDialog::NewQuoteDialog(QListWidget *quotes, QWidget *parent)
    : QDialog(parent)
    , m_quotes(quotes)
{
    look::applyPalette(this);
    // Made in this order, the box last: Tab runs from the box to OK and Cancel.
    auto *frame = new QGroupBox(QStringLiteral("Enter the quote"), this);
    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    setObjectName(QStringLiteral("frmNewQuote"));
    setWindowTitle(QStringLiteral("Quotes"));
    setFixedSize(319, 106);
    // The controls sit at fixed pixel places: a small face keeps every caption inside them.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(5, 4, 309, 70);
    m_quoteEdit = new QLineEdit(frame);
    m_quoteEdit->setObjectName(QStringLiteral("txtQuote"));
    m_quoteEdit->setGeometry(13, 27, 283, 21);

    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setGeometry(162, 79, 73, 20);
    m_okButton->setDefault(true);
    m_okButton->setEnabled(false);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_cancelButton->setGeometry(239, 79, 73, 20);

    // The editor never stores an empty quote itself.
    connect(m_quoteEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_okButton->setEnabled(!text.isEmpty()); });
    connect(m_okButton, &QPushButton::clicked, this, &NewQuoteDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &NewQuoteDialog::reject);
    m_quoteEdit->setFocus();
}

void NewQuoteDialog::editRow(int row)
{
    m_quoteEdit->setText(m_quotes->item(row)->text());
    m_editedRow = row;
}

void NewQuoteDialog::accept()
{
    // Enter reaches here too, so the empty text is refused here as well as by the button.
    const QString text = m_quoteEdit->text();
    if (text.isEmpty())
        return;
    if (m_editedRow < 0 || m_editedRow >= m_quotes->count())
        m_quotes->addItem(text);
    else
        m_quotes->item(m_editedRow)->setText(text);
    QDialog::accept();
}
