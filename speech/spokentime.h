// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

/// The recorded words of the spoken time, as file names relative to the program folder
/// ("wave/time.WAV"). The names keep the exact case of the recordings ("wave/pm.WAV").
namespace spokentime {

/// The opening word, played first every time.
QString openingFile();

/// The hour file for an hour of the 12-hour clock (1 to 12); none for anything else.
QStringList hourFiles(int hour12);

/// The minutes in one or two numbers: none on the full hour, "20" then "1" for 21.
QStringList minuteFiles(int minute);

/// The designator file: "AM" and "PM" exactly have one, any other text none.
QStringList designatorFiles(const QString &designator);

/// The whole sequence for one reading of the clock.
QStringList files(int hour12, int minute, const QString &designator);

} // namespace spokentime
