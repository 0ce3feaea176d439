#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QRect;
class QWidget;

/// The program's shared look: the warm panel colour and the Verdana texts.
namespace look {

/// The colour of the section panels, frames and dialogs: RGB(236, 233, 216).
QColor panel();

/// Verdana (or the face the system substitutes for it) at the given size.
QFont verdana(qreal points = 8.25, bool bold = false);

/// Gives a window or frame the panel colour (its background and its buttons') and the
/// program's text font.
void applyPanel(QWidget *widget);

/// The keyboard focus mark of a picture button: a dotted frame just inside area, black and
/// white so that it shows on any picture.
void drawFocusMark(QPainter &painter, const QRect &area);

} // namespace look
