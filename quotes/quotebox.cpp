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
    , lblQuote(new QLabel(this))
    , tmrchangeQuote(makeTimer(this, "tmrchangeQuote", 20000))
    , tmrFadeOut(makeTimer(this, "tmrFadeOut", 100))
    , tmrFadeIn(makeTimer(this, "tmrFadeIn", 100))
{
    setObjectName(QStringLiteral("Picture1"));
    setGeometry(8, 216, 157, 89);
    setMouseTracking(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, quotefade::background());
    setPalette(palette);
    setAutoFillBackground(true);

    lblQuote->setObjectName(QStringLiteral("lblQuote"));
    lblQuote->setGeometry(2, 0, 150, 86);
    lblQuote->setWordWrap(true);
    lblQuote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblQuote->setTextFormat(Qt::PlainText);
    lblQuote->setMouseTracking(true);
    lblQuote->setCursor(Qt::PointingHandCursor);
    lblQuote->setToolTip(QStringLiteral("Click here to change the texts in here"));
    lblQuote->setFont(look::verdana(6.75));
    setTextColour(Qt::white);
    lblQuote->installEventFilter(this);

    connect(tmrchangeQuote, &QTimer::timeout, this, &QuoteBox::changeQuoteTick);
    connect(tmrFadeOut, &QTimer::timeout, this, &QuoteBox::fadeOutTick);
    connect(tmrFadeIn, &QTimer::timeout, this, &QuoteBox::fadeInTick);
    tmrchangeQuote->start();
}

void QuoteBox::GetQuotes()
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
    sQuotes = quotes.isEmpty() ? QStringList{QString()} : quotes;
    iQuote = 0;
}

void QuoteBox::startChange()
{
    if (!tmrFadeOut->isActive())
        tmrFadeOut->start();
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
    lblQuote->setText(sQuotes.at(iQuote));
    ++iQuote;
    if (iQuote >= sQuotes.size())
        iQuote = 0;
    m_fadeOutStep = 0;
    tmrFadeOut->stop();
    tmrFadeIn->start();
}

void QuoteBox::fadeInTick()
{
    if (m_fadeInStep < quotefade::kSteps) {
        setTextColour(quotefade::fadeInColour(m_fadeInStep));
        ++m_fadeInStep;
        return;
    }
    m_fadeInStep = 0;
    tmrFadeIn->stop();
}

void QuoteBox::setUnderlined(bool underlined)
{
    QFont font = lblQuote->font();
    if (font.underline() == underlined)
        return;
    font.setUnderline(underlined);
    lblQuote->setFont(font);
}

void QuoteBox::openEditor()
{
    QuoteDialog editor(m_services, window());
    connect(&editor, &QuoteDialog::quotesSaved, this, &QuoteBox::GetQuotes);
    editor.run();
}

QColor QuoteBox::textColour() const
{
    return lblQuote->palette().color(QPalette::WindowText);
}

void QuoteBox::setTextColour(const QColor &colour)
{
    QPalette palette = lblQuote->palette();
    palette.setColor(QPalette::WindowText, colour);
    lblQuote->setPalette(palette);
}

bool QuoteBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != lblQuote)
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
                           && lblQuote->rect().contains(mouse->position().toPoint());
        m_pressed = false;
        if (click)
            openEditor();
        return true;
    }
    default:
        return QFrame::eventFilter(watched, event);
    }
}
