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

    m_txtWebsite = new SelectOnFocusLineEdit(this);
    m_txtWebsite->setObjectName(QStringLiteral("txtWebsite"));
    m_txtWebsite->setGeometry(39, 50, 192, 18);
    m_txtURL = new SelectOnFocusLineEdit(this);
    m_txtURL->setObjectName(QStringLiteral("txtURL"));
    m_txtURL->setGeometry(39, 76, 192, 18);
    m_txtDescription = new QPlainTextEdit(this);
    m_txtDescription->setObjectName(QStringLiteral("txtDescription"));
    m_txtDescription->setGeometry(7, 136, 224, 150);
    m_txtDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtDescription->setTabChangesFocus(true);

    titleLabel->setBuddy(m_txtWebsite);
    urlLabel->setBuddy(m_txtURL);
    descriptionLabel->setBuddy(m_txtDescription);
    setTabOrder(m_txtWebsite, m_txtURL);
    setTabOrder(m_txtURL, m_txtDescription);
}

WebsiteRecord WebsiteEditor::fields() const
{
    return {m_txtWebsite->text(), m_txtURL->text(),
            storedtext::fromBox(boxText(m_txtDescription))};
}

void WebsiteEditor::setFields(const WebsiteRecord &fields)
{
    m_txtWebsite->setText(fields.title);
    m_txtURL->setText(fields.url);
    // A long title or URL is read from its beginning.
    m_txtWebsite->setCursorPosition(0);
    m_txtURL->setCursorPosition(0);
    m_txtDescription->setPlainText(storedtext::toBox(fields.description));
}
