// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/quotedialog.h"

#include "platform/messageboxes.h"
#include "quotes/newquotedialog.h"
#include "quotes/quotefile.h"
#include "widgets/elidingdelegate.h"
#include "widgets/placedbutton.h"
#include "widgets/look.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

QuoteDialog::QuoteDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    look::applyPalette(this);
    // Made in tab order.
    auto *frame = new QGroupBox(QStringLiteral("Quote Editor"), this);
    auto *hint = new QLabel(QStringLiteral("Add, edit or remove quotes below. they will be shown to "
                                           "you as you work with this application."),
                            frame);
    m_quoteList = new QListWidget(frame);
    m_addButton = placeButton(QStringLiteral("&Add"), QStringLiteral("cmdAdd"), {8, 176, 50, 21}, frame);
    m_editButton = placeButton(QStringLiteral("&Edit"), QStringLiteral("cmdEdit"), {61, 176, 50, 21}, frame);
    m_removeButton = placeButton(QStringLiteral("&Remove"), QStringLiteral("cmdRemove"), {114, 176, 50, 21},
                                 frame);
    m_okButton = placeButton(QStringLiteral("&OK"), QStringLiteral("cmdOK"), {134, 219, 73, 20}, this);
    m_cancelButton = placeButton(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"), {212, 219, 73, 20},
                                 this);

    setObjectName(QStringLiteral("frmQuote"));
    setWindowTitle(QStringLiteral("Quote Text"));
    setFixedSize(294, 246);
    // The controls sit at fixed pixel places: a small face keeps every caption inside them.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(8, 4, 278, 206);
    hint->setObjectName(QStringLiteral("Label1"));
    hint->setGeometry(10, 17, 255, 32);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_quoteList->setObjectName(QStringLiteral("lstQuotes"));
    m_quoteList->setAccessibleName(QStringLiteral("Quotes"));
    m_quoteList->setGeometry(8, 48, 259, 124);
    m_quoteList->setSelectionMode(QAbstractItemView::SingleSelection);
    new ElidingDelegate(m_quoteList);
    m_editButton->setEnabled(false);
    m_removeButton->setEnabled(false);
    m_okButton->setDefault(true);

    connect(m_quoteList, &QListWidget::itemSelectionChanged, this, &QuoteDialog::updateButtons);
    connect(m_addButton, &QPushButton::clicked, this, &QuoteDialog::addQuote);
    connect(m_editButton, &QPushButton::clicked, this, &QuoteDialog::editQuote);
    connect(m_removeButton, &QPushButton::clicked, this, &QuoteDialog::removeQuote);
    connect(m_okButton, &QPushButton::clicked, this, &QuoteDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QuoteDialog::reject);
}

bool QuoteDialog::load()
{
    QStringList quotes;
    FileError error;
    const QString path = quotefile::pathToRead(m_services);
    if (quotefile::read(path, &quotes, &error) == quotefile::ReadResult::Unreadable) {
        m_services.messages->show(
            parentWidget(),
            QStringLiteral("The quotes cannot be edited, because \"%1\" could not be read.\n\n"
                           "Error number: %2\nError description: %3")
                .arg(quotefile::fileName())
                .arg(error.number)
                .arg(error.description),
            QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return false;
    }
    m_onDisk.rememberFile(m_services.dataPath(quotefile::fileName())); // where OK writes
    m_quoteList->addItems(quotes);
    return true;
}

int QuoteDialog::run()
{
    if (!load())
        return Rejected;
    return exec();
}

int QuoteDialog::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = m_quoteList->selectedItems();
    return selected.isEmpty() ? -1 : m_quoteList->row(selected.first());
}

void QuoteDialog::updateButtons()
{
    // A click on the empty space below the quotes leaves none selected: nothing to act on.
    const bool selected = selectedIndex() >= 0;
    m_editButton->setEnabled(selected);
    m_removeButton->setEnabled(selected);
}

void QuoteDialog::addQuote()
{
    NewQuoteDialog editor(m_quoteList, this);
    editor.exec();
}

void QuoteDialog::editQuote()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    NewQuoteDialog editor(m_quoteList, this);
    editor.editRow(index);
    editor.exec();
}

void QuoteDialog::removeQuote()
{
    const int row = selectedIndex();
    if (row < 0)
        return;
    const std::unique_ptr<QListWidgetItem> removed(m_quoteList->takeItem(row));
    if (m_quoteList->count() > 0) {
        m_quoteList->setCurrentRow(row == 0 ? 0 : row - 1);
    } else {
        m_editButton->setEnabled(false);
        m_removeButton->setEnabled(false);
    }
}

void QuoteDialog::accept()
{
    QStringList quotes;
    for (int i = 0; i < m_quoteList->count(); ++i)
        quotes.append(m_quoteList->item(i)->text());
    const QString path = m_services.dataPath(quotefile::fileName());
    const QByteArray bytes = quotefile::serialize(quotes);
    FileError error;
    QString otherVersion;
    const bool saved = m_onDisk.keepOtherVersion(path, &otherVersion, &error)
                       && writeFileAtomically(path, bytes, &error);
    if (!otherVersion.isEmpty())
        tellOtherVersionKept(m_services.messages, this, path, otherVersion);
    if (!saved) {
        m_services.messages->show(
            this,
            QStringLiteral("The quotes could not be saved in \"%1\".\n\n"
                           "Error number: %2\nError description: %3\n\n"
                           "Your changes are still in the list: press OK to try again, or "
                           "Cancel to drop them.")
                .arg(quotefile::fileName())
                .arg(error.number)
                .arg(error.description),
            QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return;
    }
    m_onDisk.remember(bytes);
    emit quotesSaved();
    QDialog::accept();
}
