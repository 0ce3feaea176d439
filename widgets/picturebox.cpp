// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(const QPixmap &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setMouseTracking(true);
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // screen ratios such as 1.5
    painter.drawPixmap(rect(), m_picture);
}

void PictureBox::mouseMoveEvent(QMouseEvent *)
{
    emit moved();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    // Hold a reference: a handler may hide or delete this picture.
    const bool inside = rect().contains(event->position().toPoint());
    emit released(event->button());
    if (event->button() == Qt::LeftButton && inside)
        emit clicked();
}
