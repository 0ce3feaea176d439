#include "quotes/quotedialog.h"

#include "platform/messageboxes.h"
#include "quotes/newquotedialog.h"
#include "quotes/quotefile.h"
#include "widgets/elidingdelegate.h"
#include "widgets/placedbutton.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

QuoteDialog::QuoteDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , Frame1(new QGroupBox(QStringLiteral("Quote Editor"), this))
    , Label1(new QLabel(QStringLiteral("Add, edit or remove quotes below. they will be shown to "
                                       "you as you work with this application."),
                        Frame1))
    , lstQuotes(new QListWidget(Frame1))
    , cmdAdd(placeButton(QStringLiteral("&Add"), QStringLiteral("cmdAdd"), {8, 176, 50, 21}, Frame1))
    , cmdEdit(placeButton(QStringLiteral("&Edit"), QStringLiteral("cmdEdit"), {61, 176, 50, 21}, Frame1))
    , cmdRemove(placeButton(QStringLiteral("&Remove"), QStringLiteral("cmdRemove"), {114, 176, 50, 21},
                            Frame1))
    , cmdOK(placeButton(QStringLiteral("&OK"), QStringLiteral("cmdOK"), {134, 219, 73, 20}, this))
    , cmdCancel(placeButton(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"), {212, 219, 73, 20},
                            this))
{
    setObjectName(QStringLiteral("frmQuote"));
    setWindowTitle(QStringLiteral("Quote Text"));
    setFixedSize(294, 246);
    // The controls sit at fixed pixel places: a small face keeps every caption inside them.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 4, 278, 206);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 17, 255, 32);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lstQuotes->setObjectName(QStringLiteral("lstQuotes"));
    lstQuotes->setAccessibleName(QStringLiteral("Quotes"));
    lstQuotes->setGeometry(8, 48, 259, 124);
    lstQuotes->setSelectionMode(QAbstractItemView::SingleSelection);
    new ElidingDelegate(lstQuotes);
    cmdEdit->setEnabled(false);
    cmdRemove->setEnabled(false);
    cmdOK->setDefault(true);

    connect(lstQuotes, &QListWidget::itemSelectionChanged, this, &QuoteDialog::updateButtons);
    connect(cmdAdd, &QPushButton::clicked, this, &QuoteDialog::addQuote);
    connect(cmdEdit, &QPushButton::clicked, this, &QuoteDialog::editQuote);
    connect(cmdRemove, &QPushButton::clicked, this, &QuoteDialog::removeQuote);
    connect(cmdOK, &QPushButton::clicked, this, &QuoteDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QuoteDialog::reject);
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
    lstQuotes->addItems(quotes);
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
    const QList<QListWidgetItem *> selected = lstQuotes->selectedItems();
    return selected.isEmpty() ? -1 : lstQuotes->row(selected.first());
}

void QuoteDialog::updateButtons()
{
    // A click on the empty space below the quotes leaves none selected: nothing to act on.
    const bool selected = selectedIndex() >= 0;
    cmdEdit->setEnabled(selected);
    cmdRemove->setEnabled(selected);
}

void QuoteDialog::addQuote()
{
    NewQuoteDialog editor(lstQuotes, this);
    editor.exec();
}

void QuoteDialog::editQuote()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    NewQuoteDialog editor(lstQuotes, this);
    editor.txtQuote->setText(lstQuotes->item(index)->text());
    editor.iEditIndex = index;
    editor.exec();
}

void QuoteDialog::removeQuote()
{
    const int k = selectedIndex();
    if (k < 0)
        return;
    const std::unique_ptr<QListWidgetItem> removed(lstQuotes->takeItem(k));
    if (lstQuotes->count() > 0) {
        lstQuotes->setCurrentRow(k == 0 ? 0 : k - 1);
    } else {
        cmdEdit->setEnabled(false);
        cmdRemove->setEnabled(false);
    }
}

void QuoteDialog::accept()
{
    QStringList quotes;
    for (int i = 0; i < lstQuotes->count(); ++i)
        quotes.append(lstQuotes->item(i)->text());
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
