// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

/// How the alarm and the missed-reminders window say when a reminder was due. English day and
/// month names and AM/PM, whatever the locale.
namespace duetext {

/// "9:00 AM" on the day of now, "Mon, Dec 7, 9:00 AM" on another day of its year,
/// "Mon, Dec 7, 2025, 9:00 AM" in another year.
QString moment(const QDateTime &due, const QDateTime &now);

/// "2 hours ago" and the like, counted down to whole minutes, hours or days; "" when due is
/// at most a minute before now (or later).
QString ago(const QDateTime &due, const QDateTime &now);

/// "Due 9:00 AM", followed by " (2 hours ago)" when it is more than a minute late.
QString line(const QDateTime &due, const QDateTime &now);

} // namespace duetext
