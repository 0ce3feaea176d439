// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <optional>

/// The rules of the percent-complete box.
namespace percent {

/// The box's text with every "%" removed, when that is a whole number from 0 to 100.
std::optional<int> value(QStringView text);

/// The number the up and down steps start from: the text without "%", or 0 when that is no
/// whole number (an emptied box, say).
int stepStart(QStringView text);

/// One quarter down: the highest quarter at or below p - 25, 75 from 100 and above; p itself
/// when there is no such quarter.
int stepDown(int p);
/// One quarter up: the lowest quarter at or above p + 2; p itself when there is none.
int stepUp(int p);

} // namespace percent
