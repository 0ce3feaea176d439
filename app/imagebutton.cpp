// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/imagebutton.h"

#include "widgets/artwork.h"
#include "widgets/overlaybutton.h"
#include "widgets/picturebox.h"

namespace {

PictureBox *makePicture(QWidget *parent, const QString &objectName, const QString &art,
                        const QPoint &position, const QSize &size)
{
    auto *picture = new PictureBox(artwork(art), parent);
    picture->setObjectName(objectName);
    picture->setGeometry(QRect(position, size));
    return picture;
}

} // namespace

ImageButton ImageButton::create(QWidget *parent, const QString &normalName, const QString &otherName,
                                const QString &art, const QPoint &position, const QSize &size,
                                const QString &toolTip, const QString &accessibleName,
                                int pressedOffsetX)
{
    ImageButton button;
    button.normal = makePicture(parent, normalName, art, position, size);
    button.hover = makePicture(parent, otherName + QStringLiteral("_h"), art + QStringLiteral("_h"),
                               position, size);
    button.pressed = makePicture(parent, otherName + QStringLiteral("_c"), art + QStringLiteral("_c"),
                                 position + QPoint(pressedOffsetX, 0), size);
    button.hover->setToolTip(toolTip);
    button.hover->hide();
    button.pressed->hide();
    button.keys = new OverlayButton(accessibleName, toolTip, parent);
    button.keys->setObjectName(normalName + QStringLiteral("_keys"));
    button.keys->setGeometry(QRect(position, size));
    return button;
}
