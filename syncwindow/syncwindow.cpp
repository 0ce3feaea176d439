// SPDX-License-Identifier: GPL-3.0-or-later
#include "syncwindow/syncwindow.h"

#include "syncwindow/accountinput.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kFirstOnServer = QStringLiteral("The first on the server");

QLineEdit *lineEdit(const char *name, const QString &placeholder, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(placeholder);
    return edit;
}

QComboBox *choiceBox(const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItem(kFirstOnServer, QUrl());
    return box;
}

} // namespace

SyncWindow::SyncWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSync"));
    setWindowTitle(QStringLiteral("Sync"));

    m_serverEdit = lineEdit("txtServer", QStringLiteral("https://dav.example.org/"), this);
    m_userEdit = lineEdit("txtUser", QString(), this);
    m_passwordEdit = lineEdit("txtPassword", QString(), this);
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_taskListBox = choiceBox("cboTaskList", this);
    m_addressBookBox = choiceBox("cboAddressBook", this);
    m_findButton = new QPushButton(QStringLiteral("&Find lists"), this);
    m_findButton->setObjectName(QStringLiteral("cmdFind"));
    m_findButton->setToolTip(QStringLiteral("Ask the server for its task lists and address books"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Server &address:"), m_serverEdit);
    form->addRow(QStringLiteral("&User name:"), m_userEdit);
    form->addRow(QStringLiteral("&Password:"), m_passwordEdit);
    form->addRow(QStringLiteral("&To-dos go to:"), m_taskListBox);
    form->addRow(QStringLiteral("&Contacts go to:"), m_addressBookBox);
    form->addRow(QString(), m_findButton);
    m_findButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_stateLabel = new QLabel(QStringLiteral("Not synced yet."), this);
    m_stateLabel->setObjectName(QStringLiteral("lblState"));
    m_stateLabel->setWordWrap(true);
    m_stateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_stateLabel->setMinimumHeight(m_stateLabel->fontMetrics().lineSpacing() * 2);

    auto *buttons = new QDialogButtonBox(this);
    m_syncButton = buttons->addButton(QStringLiteral("Sync &now"), QDialogButtonBox::ActionRole);
    m_syncButton->setObjectName(QStringLiteral("cmdSyncNow"));
    m_syncButton->setDefault(true);
    QPushButton *closeButton = buttons->addButton(QDialogButtonBox::Close);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    closeButton->setText(QStringLiteral("&Close"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_stateLabel);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(m_syncButton, &QPushButton::clicked, this, &SyncWindow::syncNow);
    connect(m_findButton, &QPushButton::clicked, this, &SyncWindow::findCollections);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_taskListBox, &QComboBox::currentIndexChanged, this, &SyncWindow::choiceChanged);
    connect(m_addressBookBox, &QComboBox::currentIndexChanged, this, &SyncWindow::choiceChanged);
}

void SyncWindow::setAccount(const SyncAccount &account)
{
    m_shown = account;
    m_serverEdit->setText(account.server.toString());
    m_userEdit->setText(account.user);
    fillChoice(m_taskListBox, {}, account.taskList);
    fillChoice(m_addressBookBox, {}, account.addressBook);
}

void SyncWindow::setPassword(const QString &password)
{
    m_passwordEdit->setText(password);
}

SyncAccount SyncWindow::account() const
{
    const AccountInput input = AccountInput::read(m_serverEdit->text(), m_userEdit->text());
    if (!input.isValid())
        return {};
    SyncAccount account = input.account;
    account.taskList = m_taskListBox->currentData().toUrl();
    account.addressBook = m_addressBookBox->currentData().toUrl();
    // Lists found on another server mean nothing on this one.
    if (account.server != m_shown.server && !m_shown.server.isEmpty())
        account.taskList = account.addressBook = QUrl();
    return account;
}

QString SyncWindow::password() const
{
    return m_passwordEdit->text();
}

void SyncWindow::askForPassword(const QString &why)
{
    showState(why);
    m_passwordEdit->setFocus();
    m_passwordEdit->selectAll();
}

void SyncWindow::showState(const QString &text)
{
    m_stateLabel->setText(text);
}

QString SyncWindow::state() const
{
    return m_stateLabel->text();
}

void SyncWindow::showCollections(const QList<DavCollection> &collections)
{
    QList<DavCollection> taskLists;
    QList<DavCollection> addressBooks;
    for (const DavCollection &collection : collections)
        (collection.tasks ? taskLists : addressBooks).append(collection);
    fillChoice(m_taskListBox, taskLists, m_taskListBox->currentData().toUrl());
    fillChoice(m_addressBookBox, addressBooks, m_addressBookBox->currentData().toUrl());
}

void SyncWindow::syncNow()
{
    SyncAccount account;
    if (readBoxes(&account))
        emit syncWanted(account, password());
}

void SyncWindow::findCollections()
{
    SyncAccount account;
    if (readBoxes(&account))
        emit collectionsWanted(account, password());
}

bool SyncWindow::readBoxes(SyncAccount *account)
{
    const AccountInput input = AccountInput::read(m_serverEdit->text(), m_userEdit->text());
    if (!input.isValid()) {
        showState(input.problem);
        QLineEdit *box = input.problemBox == QLatin1String("user") ? m_userEdit : m_serverEdit;
        box->setFocus();
        box->selectAll();
        return false;
    }
    *account = this->account();
    // The boxes show what is used: the address as read, the user name taken from it.
    m_serverEdit->setText(account->server.toString());
    m_userEdit->setText(account->user);
    m_shown.server = account->server;
    return true;
}

void SyncWindow::fillChoice(QComboBox *box, const QList<DavCollection> &collections, const QUrl &current)
{
    m_filling = true;
    box->clear();
    box->addItem(kFirstOnServer, QUrl());
    for (const DavCollection &collection : collections) {
        const QString name = collection.displayName.isEmpty() ? collection.url.path() : collection.displayName;
        box->addItem(name, collection.url);
    }
    // A list chosen before and not (yet) among those found stays chosen, shown by its address.
    if (!current.isEmpty() && box->findData(current) < 0)
        box->addItem(current.path(), current);
    box->setCurrentIndex(std::max(0, box->findData(current)));
    m_filling = false;
}

void SyncWindow::choiceChanged()
{
    if (m_filling)
        return;
    const SyncAccount account = this->account();
    if (!account.isEmpty())
        emit collectionsChosen(account);
}
