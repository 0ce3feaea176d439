#pragma once

#include <QString>

class PictureBox;
class QWidget;
class QPoint;
class QSize;

/// A button of three stacked pictures: normal (name), hover (name_h) above it and pressed
/// (name_c) on top. Its state is which of them is visible.
struct ImageButton
{
    PictureBox *normal = nullptr;
    PictureBox *hover = nullptr;
    PictureBox *pressed = nullptr;

    /// art is the picture name without suffix ("web" gives web, web_h, web_c).
    static ImageButton create(QWidget *parent, const QString &normalName, const QString &otherName,
                              const QString &art, const QPoint &position, const QSize &size,
                              const QString &toolTip, int pressedOffsetX = 0);
};
