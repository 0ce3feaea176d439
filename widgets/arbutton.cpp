// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/arbutton.h"
#include "widgets/look.h"

#include <QKeyEvent>
#include <QPainter>

ARButton::ARButton(const QPixmap &picture, const QPixmap &disabledPicture, const QString &toolTip,
                   QWidget *parent)
    : QAbstractButton(parent)
    , m_picture(picture)
    , m_disabledPicture(disabledPicture.isNull() ? picture : disabledPicture)
{
    setToolTip(toolTip);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void ARButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // screen ratios such as 1.5
    const QColor fill = isDown() ? look::panel().darker(110) : look::panel();
    painter.fillRect(rect(), fill);
    painter.setPen(QColor(192, 192, 192));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QPixmap &pixmap = isEnabled() ? m_picture : m_disabledPicture;
    if (!pixmap.isNull()) {
        const QSize size = pixmap.deviceIndependentSize().toSize();
        QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        if (isDown())
            topLeft += QPoint(1, 1);
        painter.drawPixmap(topLeft, pixmap);
    }
    if (hasFocus())
        look::drawFocusMark(painter, rect().adjusted(1, 1, -1, -1));
}

void ARButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat())
        click();
    else
        QAbstractButton::keyPressEvent(event);
}
