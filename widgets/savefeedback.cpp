// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/savefeedback.h"
#include "widgets/look.h"

#include <QLabel>
#include <QTimer>

SaveFeedback::SaveFeedback(QWidget *mainWindow)
    : QObject(mainWindow)
    , m_label(new QLabel(mainWindow))
    , m_writeTimer(new QTimer(mainWindow))
    , m_savedTimer(new QTimer(mainWindow))
{
    m_label->setObjectName(QStringLiteral("lblSaved"));
    m_label->setGeometry(184, 356, 104, 13);
    m_label->setFont(look::verdana(6.75));
    m_label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    // The label's last row lies over the Save button, which must still see the pointer there.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_writeTimer->setObjectName(QStringLiteral("tmrWrite"));
    m_writeTimer->setInterval(50);
    connect(m_writeTimer, &QTimer::timeout, this, &SaveFeedback::typeNextLetter);
    m_savedTimer->setObjectName(QStringLiteral("tmrSaved"));
    m_savedTimer->setInterval(3000);
    connect(m_savedTimer, &QTimer::timeout, this, &SaveFeedback::clearText);
}

void SaveFeedback::start()
{
    m_writeTimer->start();
    m_savedTimer->start();
}

void SaveFeedback::typeNextLetter()
{
    ++m_typed;
    m_label->setText(text().left(m_typed));
    if (m_typed > text().size()) {
        m_typed = 0;
        m_writeTimer->stop();
    }
}

void SaveFeedback::clearText()
{
    m_label->clear();
    m_savedTimer->stop();
}
