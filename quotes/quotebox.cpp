#include "quotes/quotebox.h"

#include <QLabel>

QuoteBox::QuoteBox(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
    , m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("Picture1"));
    setGeometry(8, 216, 157, 89);
    setMouseTracking(true);
    setStyleSheet(QStringLiteral("QFrame#Picture1 { background: rgb(0, 79, 129); }"));
    m_label->setObjectName(QStringLiteral("lblQuote"));
    m_label->setGeometry(2, 0, 150, 86);
    m_label->setWordWrap(true);
}

void QuoteBox::GetQuotes() {}

void QuoteBox::startChange() {}

void QuoteBox::setUnderlined(bool underlined)
{
    QFont font = m_label->font();
    font.setUnderline(underlined);
    m_label->setFont(font);
}
