#pragma once

#include "platform/services.h"

#include <QFrame>

class QLabel;

/// The quote box Picture1 with the rotating quote lblQuote.
class QuoteBox : public QFrame
{
    Q_OBJECT
public:
    QuoteBox(const Services &services, QWidget *parent);

    /// Reads quotes.txt; the next quote shown is the first.
    void GetQuotes();
    /// Starts a quote change (enables tmrFadeOut).
    void startChange();
    /// The hover underline of the quote.
    void setUnderlined(bool underlined);

private:
    const Services &m_services;
    QLabel *m_label;
};
