// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class OverlayButton;
class PictureBox;
class QWidget;
class QPoint;
class QSize;

/// A button of three stacked pictures: normal (name), hover (name_h) above it and pressed
/// (name_c) on top. Its state is which of them is visible. Over them all lies an invisible
/// button (name_keys) for the keyboard and screen readers.
struct ImageButton
{
    PictureBox *normal = nullptr;
    PictureBox *hover = nullptr;
    PictureBox *pressed = nullptr;
    OverlayButton *keys = nullptr;

    /// art is the picture name without suffix ("web" gives web, web_h, web_c); accessibleName
    /// is what a screen reader calls the button, the tooltip what it adds.
    static ImageButton create(QWidget *parent, const QString &normalName, const QString &otherName,
                              const QString &art, const QPoint &position, const QSize &size,
                              const QString &toolTip, const QString &accessibleName,
                              int pressedOffsetX = 0);
};
