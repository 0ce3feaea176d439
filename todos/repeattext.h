// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "todos/nextoccurrence.h"
#include "todos/repeatrule.h"

#include <QDateTime>
#include <QString>

#include <optional>

/// What the reminder dialog, the reminder button and the alarm say of a repeating reminder.
/// English names and AM/PM whatever the locale.
namespace repeattext {

/// The dialog's name of a kind: "Never", "Every day", "Every weekday", "Every week",
/// "Every month", "Every year", "Custom"; "" for Invalid, which the dialog has no choice for.
QString choice(RepeatRule::Kind kind);

/// The reminder button's caption of a repeating reminder that is next due at `reminder` (only
/// its date and time are read), the time as the dialog's boxes show it: "Every day, 09:00 AM",
/// "Every weekday, 09:00 AM", "Every week, Mon 09:00 AM", "Every month, 31st 09:00 AM",
/// "Every year, Feb 29 09:00 AM", "Custom, Dec 8, 2026 09:00 AM". "" for a rule that does not
/// repeat: the one-time caption stands.
QString caption(const RepeatRule &rule, const QDateTime &reminder);
/// caption() of a to-do's stored repeat rule and reminder text; "" as caption() gives it, or
/// when the text holds no moment.
QString caption(const QString &rule, const QString &reminder);

/// The alarm's line on when a repeating reminder rings next, as the alarm says when one was due:
/// "Next: Tue, Dec 8, 9:00 AM", "Next: 9:00 PM" later the same day. "" when the series has ended.
QString next(const std::optional<Occurrence> &occurrence, const QDateTime &now);

} // namespace repeattext
