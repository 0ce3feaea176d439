// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QPalette;
class QRect;
class QWidget;

/// The program's shared look: the warm panel colour and the Verdana texts.
namespace look {

/// The colour of the section panels, frames and dialogs: RGB(236, 233, 216).
QColor panel();

/// Verdana (or the face the system substitutes for it) at the given size.
QFont verdana(qreal points = 8.25, bool bold = false);

/// The program's own colours for every role: dark text on the warm panel, white boxes, greyed
/// boxes and texts when disabled. Its windows are drawn on its own artwork, so they keep these
/// whatever the desktop's theme, light or dark.
QPalette palette();

/// Gives a window the program's own colours (see palette()) instead of the desktop's.
void applyPalette(QWidget *widget);

/// Gives a window or frame the program's own colours and its text font.
void applyPanel(QWidget *widget);

/// The keyboard focus mark of a picture button: a dotted frame just inside area, black and
/// white so that it shows on any picture.
void drawFocusMark(QPainter &painter, const QRect &area);

} // namespace look
