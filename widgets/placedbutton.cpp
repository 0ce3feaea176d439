// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/placedbutton.h"

#include <QPushButton>

QPushButton *placeButton(QPushButton *button, const QString &name, const QRect &geometry)
{
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QPushButton *placeButton(const QString &text, const QString &name, const QRect &geometry,
                         QWidget *parent)
{
    return placeButton(new QPushButton(text, parent), name, geometry);
}
