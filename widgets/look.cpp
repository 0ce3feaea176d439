// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/look.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace look {

QColor panel()
{
    return {236, 233, 216};
}

QFont verdana(qreal points, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPalette palette()
{
    QPalette colours;
    // Every role of every group is set, so nothing of the desktop's palette shows through.
    const auto set = [&colours](QPalette::ColorRole role, const QColor &enabled, const QColor &disabled) {
        colours.setColor(QPalette::Active, role, enabled);
        colours.setColor(QPalette::Inactive, role, enabled);
        colours.setColor(QPalette::Disabled, role, disabled);
    };
    const QColor back = panel();
    const QColor greyText(150, 150, 150);
    const QColor dark = back.darker(150);
    set(QPalette::Window, back, back);
    set(QPalette::WindowText, Qt::black, greyText);
    set(QPalette::Base, Qt::white, back);
    set(QPalette::AlternateBase, back.lighter(104), back);
    set(QPalette::Text, Qt::black, greyText);
    set(QPalette::PlaceholderText, QColor(0, 0, 0, 128), QColor(0, 0, 0, 96));
    set(QPalette::Button, back, back);
    set(QPalette::ButtonText, Qt::black, greyText);
    set(QPalette::BrightText, Qt::white, Qt::white);
    set(QPalette::Light, back.lighter(150), back.lighter(150));
    set(QPalette::Midlight, back.darker(130).lighter(110), back.darker(130).lighter(110));
    set(QPalette::Mid, back.darker(130), back.darker(130));
    set(QPalette::Dark, dark, dark);
    set(QPalette::Shadow, dark.darker(135), dark.darker(135).lighter(150));
    set(QPalette::Highlight, QColor(48, 140, 198), QColor(145, 141, 126));
    set(QPalette::HighlightedText, Qt::white, Qt::white);
    set(QPalette::Link, QColor(0, 0, 255), greyText);
    set(QPalette::LinkVisited, QColor(255, 0, 255), greyText);
    set(QPalette::ToolTipBase, QColor(255, 255, 220), QColor(255, 255, 220));
    set(QPalette::ToolTipText, Qt::black, Qt::black);
    return colours;
}

void applyPalette(QWidget *widget)
{
    widget->setPalette(palette());
}

void applyPanel(QWidget *widget)
{
    applyPalette(widget);
    widget->setFont(verdana());
}

void drawFocusMark(QPainter &painter, const QRect &area)
{
    const QRect frame = area.adjusted(1, 1, -2, -2);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(frame);
    painter.restore();
}

} // namespace look
