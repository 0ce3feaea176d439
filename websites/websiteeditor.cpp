// SPDX-License-Identifier: GPL-3.0-or-later
#include "websites/websiteeditor.h"

#include "store/storedtext.h"
#include "widgets/boxtext.h"
#include "widgets/selectonfocuslineedit.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

void addLine(QWidget *parent, const QColor &colour, int y)
{
    auto *line = new QWidget(parent);
    line->setGeometry(6, y, 228, 1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

} // namespace

WebsiteEditor::WebsiteEditor(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("fraWebsiteIn"));
    setGeometry(172, 10, 240, 293);
    hide();

    QLabel *hint = addLabel(this, QStringLiteral("Enter title and URL information about this website here."),
                            {7, 10, 230, 27});
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addLine(this, QColor(106, 106, 30), 40);
    addLine(this, Qt::white, 41);

    QLabel *titleLabel = addLabel(this, QStringLiteral("&Title:"), {7, 53, 53, 14});
    QLabel *urlLabel = addLabel(this, QStringLiteral("&URL:"), {8, 78, 67, 14});
    QLabel *descriptionLabel = addLabel(this, QStringLiteral("&Descriptions:"), {7, 120, 67, 14});
    // Nothing stands to its right: let the label be as wide as its text in any font.
    descriptionLabel->resize(qMax(67, descriptionLabel->sizeHint().width()), 14);

    m_titleEdit = new SelectOnFocusLineEdit(this);
    m_titleEdit->setObjectName(QStringLiteral("txtWebsite"));
    m_titleEdit->setGeometry(39, 50, 192, 18);
    m_urlEdit = new SelectOnFocusLineEdit(this);
    m_urlEdit->setObjectName(QStringLiteral("txtURL"));
    m_urlEdit->setGeometry(39, 76, 192, 18);
    m_descriptionEdit = new QPlainTextEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("txtDescription"));
    m_descriptionEdit->setGeometry(7, 136, 224, 150);
    m_descriptionEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_descriptionEdit->setTabChangesFocus(true);

    titleLabel->setBuddy(m_titleEdit);
    urlLabel->setBuddy(m_urlEdit);
    descriptionLabel->setBuddy(m_descriptionEdit);
    setTabOrder(m_titleEdit, m_urlEdit);
    setTabOrder(m_urlEdit, m_descriptionEdit);
}

WebsiteRecord WebsiteEditor::fields() const
{
    return {m_titleEdit->text(), m_urlEdit->text(), storedtext::fromBox(boxText(m_descriptionEdit))};
}

void WebsiteEditor::setFields(const WebsiteRecord &fields)
{
    m_titleEdit->setText(fields.title);
    m_urlEdit->setText(fields.url);
    // A long title or URL is read from its beginning.
    m_titleEdit->setCursorPosition(0);
    m_urlEdit->setCursorPosition(0);
    m_descriptionEdit->setPlainText(storedtext::toBox(fields.description));
}
