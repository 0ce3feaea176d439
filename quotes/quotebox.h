// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QFrame>
#include <QStringList>

class QLabel;
class QTimer;

/// The quote box Picture1 with the rotating quote lblQuote. Every 20 seconds the quote fades
/// into the box's blue, the next quote of quotes.txt takes its place and fades back in.
class QuoteBox : public QFrame
{
    Q_OBJECT
public:
    QuoteBox(const Services &services, QWidget *parent);

    /// Reads quotes.txt; the next quote shown is the first.
    void loadQuotes();
    /// Starts a quote change (starts tmrFadeOut).
    void startChange();
    /// The hover underline of the quote.
    void setUnderlined(bool underlined);
    /// Opens the quote editor, as a click on the quote does.
    void openEditor();

    /// One tick of tmrchangeQuote.
    void changeQuoteTick();
    /// One tick of tmrFadeOut: a shade darker, or on the twelfth tick the next quote.
    void fadeOutTick();
    /// One tick of tmrFadeIn: a shade lighter, or on the twelfth tick the end of the fade.
    void fadeInTick();

    /// The quotes in file order; never empty.
    const QStringList &quotes() const { return m_quotes; }
    /// Index of the quote shown next.
    int nextQuote() const { return m_nextQuote; }
    QLabel *label() const { return m_quoteLabel; }
    QColor textColour() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setTextColour(const QColor &colour);

    const Services &m_services;
    QLabel *m_quoteLabel;
    QTimer *m_changeTimer;
    QTimer *m_fadeOutTimer;
    QTimer *m_fadeInTimer;
    QStringList m_quotes{QString()};
    int m_nextQuote = 0;
    int m_fadeOutStep = 0;
    int m_fadeInStep = 0;
    bool m_pressed = false;
};
