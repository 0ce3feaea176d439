// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/renamedialog.h"

#include "core/addresslist.h"
#include "platform/messageboxes.h"
#include "widgets/look.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

RenameDialog::RenameDialog(const Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmRename"));
    setWindowTitle(QStringLiteral("Rename Email"));
    setModal(true);
    setFixedSize(336, 98);
    look::applyPanel(this);

    auto *frame = new QGroupBox(QStringLiteral("Rename this email address"), this);
    frame->setObjectName(QStringLiteral("fraEmail"));
    frame->setGeometry(6, 7, 325, 56);

    m_addressEdit = new QLineEdit(frame);
    m_addressEdit->setObjectName(QStringLiteral("txtEmail"));
    m_addressEdit->setGeometry(13, 24, 298, 18);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(178, 71, 73, 20);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &RenameDialog::acceptIfWanted);

    // Esc rejects any dialog; the button does the same.
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(256, 71, 73, 20);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_addressEdit, ok);
    setTabOrder(ok, cancel);
    m_addressEdit->setFocus();

    if (parent) {
        const QRect owner = parent->window()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
}

void RenameDialog::setAddress(const QString &address, bool isDefault)
{
    m_addressEdit->setText(address);
    m_isDefault = isDefault;
}

QString RenameDialog::entryText() const
{
    return addresslist::renamed(m_addressEdit->text(), m_isDefault);
}

void RenameDialog::acceptIfWanted()
{
    if (!addresslist::isValidAddress(m_addressEdit->text())) {
        const auto answer = m_services.messages->show(
            this,
            QStringLiteral("the e-mail address you have entered is not a valid internet e-mail "
                           "address.\nDo you still want to change this e-mail address?"),
            QString(), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation);
        if (answer != MessageBoxes::Answer::Yes) {
            m_addressEdit->setFocus();
            return;
        }
    }
    accept();
}
