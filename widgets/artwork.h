// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

/// A picture built into the program, by name ("web_h", "arb_add"). On a high-density screen it
/// comes from the picture drawn at twice the size, with its device pixel ratio set to 2, so it
/// keeps its size and stays sharp.
QPixmap artwork(const QString &name);

/// The picture as an icon holding both sizes, so every screen gets the sharp one.
QIcon artworkIcon(const QString &name);

/// The small list icon of a record's icon key ("Web", "Email", "Note", "Todo"); none for "".
QIcon recordIcon(const QString &iconKey);
