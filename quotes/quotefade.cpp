// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/quotefade.h"

#include <array>

namespace quotefade {
namespace {

// The fade-in shades; the fade-out reads them from the bottom up.
constexpr std::array<std::array<int, 3>, kSteps> kFadeIn = {{
    {0, 79, 129},
    {26, 97, 142},
    {51, 114, 154},
    {77, 132, 168},
    {102, 149, 172},
    {128, 167, 192},
    {153, 185, 205},
    {179, 203, 217},
    {204, 220, 230},
    {230, 238, 243},
    {255, 255, 255},
}};

QColor shade(int index)
{
    const auto &rgb = kFadeIn[size_t(qBound(0, index, kSteps - 1))];
    return QColor(rgb[0], rgb[1], rgb[2]);
}

} // namespace

QColor background()
{
    return shade(0);
}

QColor fadeOutColour(int step)
{
    return shade(kSteps - 1 - step);
}

QColor fadeInColour(int step)
{
    return shade(step);
}

} // namespace quotefade
