// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/contacteditor.h"

#include "contacts/addresseditor.h"
#include "widgets/selectonfocuslineedit.h"

#include <QLabel>
#include <QPainter>


namespace {
const int kLabelX = 7;
const int kBoxX = 66;
const int kBoxRight = 232;
const int kGap = 6;
}

ContactEditor::ContactEditor(const Services &services, QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("fraemailIn"));
    setGeometry(172, 10, 240, 293);
    hide();

    auto *hint = new QLabel(
        QStringLiteral("Enter name and email information about this contact here."), this);
    hint->setGeometry(7, 10, 230, 27);
    hint->setWordWrap(true);

    m_firstNameEdit = addBox(QStringLiteral("txtName"), QStringLiteral("&First Name:"), 46);
    m_lastNameEdit = addBox(QStringLiteral("txtLast"), QStringLiteral("&Last Name:"), 67);
    m_titleEdit = addBox(QStringLiteral("txtTitle"), QStringLiteral("Tit&le:"), 88);
    m_displayEdit = addBox(QStringLiteral("txtDisplay"), QStringLiteral("Dis&play:"), 109);
    // The four labels line up on the left and the boxes start a gap after the widest of them,
    // in any font.
    int widest = 0;
    for (QLineEdit *box : {m_firstNameEdit, m_lastNameEdit, m_titleEdit, m_displayEdit})
        widest = qMax(widest, m_labels.value(box)->sizeHint().width());
    const int boxX = qMax(kBoxX, kLabelX + widest + kGap);
    for (QLineEdit *box : {m_firstNameEdit, m_lastNameEdit, m_titleEdit, m_displayEdit}) {
        box->setGeometry(boxX, box->y(), kBoxRight - boxX, 18);
        m_labels.value(box)->setGeometry(kLabelX, box->y() + 2, boxX - kGap - kLabelX, 14);
    }
    m_addresses = new AddressEditor(services, this);

    setTabOrder(m_firstNameEdit, m_lastNameEdit);
    setTabOrder(m_lastNameEdit, m_titleEdit);
    setTabOrder(m_titleEdit, m_displayEdit);
    setTabOrder(m_displayEdit, m_addresses->newAddressBox());
}

QLineEdit *ContactEditor::addBox(const QString &name, const QString &label, int y)
{
    auto *box = new SelectOnFocusLineEdit(this);
    box->setObjectName(name);
    box->move(kBoxX, y);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(box);
    m_labels.insert(box, caption);
    return box;
}

ContactRecord ContactEditor::record() const
{
    return {m_firstNameEdit->text(), m_lastNameEdit->text(), m_titleEdit->text(), m_addresses->entries(),
            m_uid};
}

void ContactEditor::showRecord(const ContactRecord &record)
{
    m_uid = record.uid;
    m_firstNameEdit->setText(record.firstName);
    m_lastNameEdit->setText(record.lastName);
    m_titleEdit->setText(record.title);
    m_addresses->setEntries(record.addresses);
}

void ContactEditor::clear()
{
    for (QLineEdit *box : {m_firstNameEdit, m_lastNameEdit, m_titleEdit, m_displayEdit, m_addresses->newAddressBox()})
        box->clear();
    m_addresses->setEntries({});
    m_uid.clear();
}

void ContactEditor::paintEvent(QPaintEvent *event)
{
    QGroupBox::paintEvent(event);
    // The rule under the hint: a dark line with a white one below it.
    QPainter painter(this);
    painter.setPen(QColor(106, 106, 30));
    painter.drawLine(6, 40, 233, 40);
    painter.setPen(Qt::white);
    painter.drawLine(6, 41, 233, 41);
}
