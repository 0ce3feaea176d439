#include "contacts/contacteditor.h"

#include "contacts/addresseditor.h"
#include "widgets/selectonfocuslineedit.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {
const int kBoxX = 66;
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

    m_txtName = addBox(QStringLiteral("txtName"), QStringLiteral("&First Name:"), 8, 46);
    m_txtLast = addBox(QStringLiteral("txtLast"), QStringLiteral("&Last Name:"), 7, 67);
    m_txtTitle = addBox(QStringLiteral("txtTitle"), QStringLiteral("Tit&le:"), 7, 88);
    m_txtDisplay = addBox(QStringLiteral("txtDisplay"), QStringLiteral("Dis&play:"), 7, 109);
    m_addresses = new AddressEditor(services, this);

    setTabOrder(m_txtName, m_txtLast);
    setTabOrder(m_txtLast, m_txtTitle);
    setTabOrder(m_txtTitle, m_txtDisplay);
    setTabOrder(m_txtDisplay, m_addresses->newAddressBox());
}

QLineEdit *ContactEditor::addBox(const QString &name, const QString &label, int labelX, int y)
{
    auto *box = new SelectOnFocusLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(kBoxX, y, 166, 18);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(box);
    // A label ends before its box, so a click there reaches the box; where the font is wider
    // than the one the layout was drawn for, the label moves left rather than being cut off.
    const int end = kBoxX - 1;
    const int x = std::clamp(end - caption->sizeHint().width(), 2, labelX);
    caption->setGeometry(x, y + 2, end - x, 14);
    return box;
}

ContactRecord ContactEditor::record() const
{
    return {m_txtName->text(), m_txtLast->text(), m_txtTitle->text(), m_addresses->entries()};
}

void ContactEditor::showRecord(const ContactRecord &record)
{
    m_txtName->setText(record.firstName);
    m_txtLast->setText(record.lastName);
    m_txtTitle->setText(record.title);
    m_addresses->setEntries(record.addresses);
}

void ContactEditor::clear()
{
    for (QLineEdit *box : {m_txtName, m_txtLast, m_txtTitle, m_txtDisplay, m_addresses->newAddressBox()})
        box->clear();
    m_addresses->setEntries({});
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
