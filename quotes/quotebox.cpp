// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/quotebox.h"

#include "quotes/quotedialog.h"
#include "quotes/quotefade.h"
#include "quotes/quotefile.h"
#include "platform/messageboxes.h"
#include "widgets/look.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {

QTimer *makeTimer(QObject *parent, const char *name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

QuoteBox::QuoteBox(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
    , m_quoteLabel(new QLabel(this))
    , m_changeTimer(makeTimer(this, "tmrchangeQuote", 20000))
    , m_fadeOutTimer(makeTimer(this, "tmrFadeOut", 100))
    , m_fadeInTimer(makeTimer(this, "tmrFadeIn", 100))
{
    setObjectName(QStringLiteral("Picture1"));
    setGeometry(8, 216, 157, 89);
    setMouseTracking(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, quotefade::background());
    setPalette(palette);
    setAutoFillBackground(true);

    m_quoteLabel->setObjectName(QStringLiteral("lblQuote"));
    m_quoteLabel->setGeometry(2, 0, 150, 86);
    m_quoteLabel->setWordWrap(true);
    m_quoteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_quoteLabel->setTextFormat(Qt::PlainText);
    m_quoteLabel->setMouseTracking(true);
    m_quoteLabel->setCursor(Qt::PointingHandCursor);
    m_quoteLabel->setToolTip(QStringLiteral("Click here to change the texts in here"));
    m_quoteLabel->setFont(look::verdana(6.75));
    setTextColour(Qt::white);
    m_quoteLabel->installEventFilter(this);

    connect(m_changeTimer, &QTimer::timeout, this, &QuoteBox::changeQuoteTick);
    connect(m_fadeOutTimer, &QTimer::timeout, this, &QuoteBox::fadeOutTick);
    connect(m_fadeInTimer, &QTimer::timeout, this, &QuoteBox::fadeInTick);
    m_changeTimer->start();
}

void QuoteBox::loadQuotes()
{
    // A missing or unreadable file simply means no quotes: one empty quote. One that is there
    // but cannot be read (a folder, a pipe, far too large) is worth a word once the window shows.
    QStringList quotes;
    FileError error;
    if (quotefile::read(quotefile::pathToRead(m_services), &quotes, &error)
        == quotefile::ReadResult::Unreadable) {
        QTimer::singleShot(0, this, [this, error] {
            m_services.messages->show(window(),
                                      QStringLiteral("The quotes could not be read: %1.").arg(error.description),
                                      QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        });
    }
    m_quotes = quotes.isEmpty() ? QStringList{QString()} : quotes;
    m_nextQuote = 0;
}

void QuoteBox::startChange()
{
    if (!m_fadeOutTimer->isActive())
        m_fadeOutTimer->start();
}

void QuoteBox::changeQuoteTick()
{
    startChange();
}

void QuoteBox::fadeOutTick()
{
    if (m_fadeOutStep < quotefade::kSteps) {
        setTextColour(quotefade::fadeOutColour(m_fadeOutStep));
        ++m_fadeOutStep;
        return;
    }
    m_quoteLabel->setText(m_quotes.at(m_nextQuote));
    ++m_nextQuote;
    if (m_nextQuote >= m_quotes.size())
        m_nextQuote = 0;
    m_fadeOutStep = 0;
    m_fadeOutTimer->stop();
    m_fadeInTimer->start();
}

void QuoteBox::fadeInTick()
{
    if (m_fadeInStep < quotefade::kSteps) {
        setTextColour(quotefade::fadeInColour(m_fadeInStep));
        ++m_fadeInStep;
        return;
    }
    m_fadeInStep = 0;
    m_fadeInTimer->stop();
}

void QuoteBox::setUnderlined(bool underlined)
{
    QFont font = m_quoteLabel->font();
    if (font.underline() == underlined)
        return;
    font.setUnderline(underlined);
    m_quoteLabel->setFont(font);
}

void QuoteBox::openEditor()
{
    QuoteDialog editor(m_services, window());
    connect(&editor, &QuoteDialog::quotesSaved, this, &QuoteBox::loadQuotes);
    editor.run();
}

QColor QuoteBox::textColour() const
{
    return m_quoteLabel->palette().color(QPalette::WindowText);
}

void QuoteBox::setTextColour(const QColor &colour)
{
    QPalette palette = m_quoteLabel->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_quoteLabel->setPalette(palette);
}

bool QuoteBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_quoteLabel)
        return QFrame::eventFilter(watched, event);
    // The quote keeps its own pointer events: they must not reach the box, which drags the window.
    switch (event->type()) {
    case QEvent::MouseMove:
        setUnderlined(true);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = m_pressed && mouse->button() == Qt::LeftButton
                           && m_quoteLabel->rect().contains(mouse->position().toPoint());
        m_pressed = false;
        if (click)
            openEditor();
        return true;
    }
    default:
        return QFrame::eventFilter(watched, event);
    }
}
