// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

/// The colour fade of the rotating quote: eleven shades from white into the box's blue and back.
namespace quotefade {

/// Shades per fade; a fade timer's run is one tick longer (its last tick changes state).
constexpr int kSteps = 11;

/// The quote box's back colour, where the fade-out ends and the fade-in starts.
QColor background();

/// Text colour of fade-out step 0 to 10: white to the back colour.
QColor fadeOutColour(int step);
/// Text colour of fade-in step 0 to 10: the back colour to white.
QColor fadeInColour(int step);

} // namespace quotefade
