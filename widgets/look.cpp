#include "widgets/look.h"

#include <QPainter>
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

void applyPanel(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, panel());
    palette.setColor(QPalette::Button, panel());
    widget->setPalette(palette);
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
