// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

/// The reminder moment as text (to-do field 4): local time in the US general date form
/// "M/d/yyyy h:mm:ss AM", or "M/d/yyyy" alone for a moment at exactly midnight. Fixed
/// whatever the locale, so a data file reads the same everywhere.
namespace remindertext {

/// The text of a moment, to the second. A moment in the second pass of the hour the clocks go
/// back is remembered as such for as long as the program runs, so its text reads back as it.
QString write(const QDateTime &moment);

/// The moment of a text written by write(); an invalid date-time for any other text. See
/// readInstant for the hours the clocks change; a time the clocks skip comes back as named, which
/// QDateTime holds as invalid with its date and time.
QDateTime read(QStringView text);

/// The moment a local wall-clock time stands for: in the hour the clocks go back, the first of
/// the two; in the hour skipped in spring, the moment the clocks jump.
QDateTime wallClock(const QDate &date, const QTime &time);

/// A local wall-clock moment packed as the number yyyyMMddhhmmss: two stamps compare as the
/// wall clock reads them, to the second, without any time-zone work.
qint64 stamp(const QDateTime &moment);

/// The stamp of a text written by write(), or none when it does not convert.
std::optional<qint64> readStamp(QStringView text);

/// A moment as a number that compares as the moments do, to the second: seconds since the
/// epoch, so "an hour later" stays an hour of real time when the clocks change.
qint64 instant(const QDateTime &moment);

/// The instant of a text written by write(), or none when it does not convert. A wall-clock
/// time means the moment wallClock gives, unless this run wrote it for the second pass of a
/// repeated hour (a snooze across the change). Cheap enough to run over every to-do.
std::optional<qint64> readInstant(QStringView text);

/// The reminder caption after a snooze: "mm dd,yyyy hh:nn AM/PM".
QString snoozeCaption(const QDateTime &moment);

} // namespace remindertext
