#include "widgets/look.h"

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

} // namespace look
