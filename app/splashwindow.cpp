// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splashwindow.h"

#include "app/mainwindow.h"
#include "platform/appinfo.h"
#include "widgets/artwork.h"
#include "widgets/look.h"

#include <version.h>

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

SplashWindow::SplashWindow(const Services &services, Document *document)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::SplashScreen)
    , m_services(services)
    , m_document(document)
    , m_background(artwork(QStringLiteral("splash")))
    , m_infoLabel(new QLabel(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    look::applyPalette(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(450, 217);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_infoLabel->setObjectName(QStringLiteral("lblInfo"));
    m_infoLabel->setGeometry(6, 174, 437, 40);
    // Both lines keep the same margin inside the picture's text box.
    m_infoLabel->setContentsMargins(5, 0, 5, 0);
    m_infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_infoLabel->setFont(look::verdana(6.75));
    m_infoLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_infoLabel->setText(infoText());

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::openMainWindow);
    m_timer->start();
}

QString SplashWindow::infoText()
{
    return QStringLiteral("Version %1.%2\n%3 - Free software: use, share and change it freely.")
        .arg(QUILLET_VERSION_MAJOR)
        .arg(QUILLET_VERSION_MINOR)
        .arg(appinfo::website());
}

void SplashWindow::openMainWindow()
{
    m_timer->stop();
    m_main = new MainWindow(m_services, m_document);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    m_main->load();
    if (m_startMinimized)
        m_main->showMinimized();
    else
        m_main->show();
    close();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // screen ratios such as 1.5
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(0, 79, 129));
    else
        painter.drawPixmap(0, 0, m_background);
}
