#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

/// The reminder moment as text (to-do field 4): local time in the US general date form
/// "M/d/yyyy h:mm:ss AM", or "M/d/yyyy" alone for a moment at exactly midnight. Fixed
/// whatever the locale, so a data file reads the same everywhere.
namespace remindertext {

/// The text of a moment, to the second.
QString write(const QDateTime &moment);

/// The moment of a text written by write(); an invalid date-time for any other text.
QDateTime read(QStringView text);

/// A local wall-clock moment packed as the number yyyyMMddhhmmss: two stamps compare as the
/// moments do, to the second, without any time-zone work.
qint64 stamp(const QDateTime &moment);

/// The stamp of a text written by write(), or none when it does not convert. Cheap enough to
/// run over every to-do each second.
std::optional<qint64> readStamp(QStringView text);

/// The reminder caption after a snooze: "mm dd,yyyy hh:nn AM/PM".
QString snoozeCaption(const QDateTime &moment);

} // namespace remindertext
