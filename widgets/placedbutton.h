// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPushButton;
class QRect;
class QWidget;

/// Names and places a push button of a fixed-layout window. Enter never presses it just because
/// it has the focus: each window names its one default button itself.
QPushButton *placeButton(QPushButton *button, const QString &name, const QRect &geometry);

/// A new plain push button, named and placed.
QPushButton *placeButton(const QString &text, const QString &name, const QRect &geometry,
                         QWidget *parent);
