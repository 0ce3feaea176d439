#include "quotes/newquotedialog.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

NewQuoteDialog::NewQuoteDialog(QListWidget *lstQuotes, QWidget *parent)
    : QDialog(parent)
    , txtQuote(nullptr)
    , m_lstQuotes(lstQuotes)
    , Frame1(new QGroupBox(QStringLiteral("Enter the quote"), this))
    , cmdOK(new QPushButton(QStringLiteral("&OK"), this))
    , cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmNewQuote"));
    setWindowTitle(QStringLiteral("Quotes"));
    setFixedSize(319, 106);
    // The controls sit at fixed pixel places: a small face keeps every caption inside them.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(5, 4, 309, 70);
    txtQuote = new QLineEdit(Frame1);
    txtQuote->setObjectName(QStringLiteral("txtQuote"));
    txtQuote->setGeometry(13, 27, 283, 21);

    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(162, 79, 73, 20);
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(239, 79, 73, 20);

    // The editor never stores an empty quote itself.
    connect(txtQuote, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdOK->setEnabled(!text.isEmpty()); });
    connect(cmdOK, &QPushButton::clicked, this, &NewQuoteDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &NewQuoteDialog::reject);
    txtQuote->setFocus();
}

void NewQuoteDialog::accept()
{
    // Enter reaches here too, so the empty text is refused here as well as by the button.
    const QString text = txtQuote->text();
    if (text.isEmpty())
        return;
    if (iEditIndex < 0 || iEditIndex >= m_lstQuotes->count())
        m_lstQuotes->addItem(text);
    else
        m_lstQuotes->item(iEditIndex)->setText(text);
    QDialog::accept();
}
