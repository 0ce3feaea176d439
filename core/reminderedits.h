// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

/// Changes to a to-do's reminder, made on its tag text so that every other field keeps its
/// exact text.
namespace reminderedits {

/// The tag snoozed at now for minutes: its reminder moved to now plus minutes (counted from now,
/// not from the moment that fell due) and the caption saying so; none for an empty tag or one
/// without a reminder (snoozing then changes nothing).
std::optional<QString> snoozed(const QString &tag, const QDateTime &now, int minutes);

/// The tag as a to-do without a reminder: no moment, no sound, no play flag, no repeat rule and
/// the caption "Reminder not set", as the editor keeps a to-do whose reminder was never set.
QString withoutReminder(const QString &tag);

/// The tag with no moment to ring at (and the caption "Reminder not set"), its sound, play flag
/// and repeat rule kept: a series whose next occurrence cannot be worked out rings no more, and
/// nothing else the user set is lost.
QString withoutMoment(const QString &tag);

/// The tag with its reminder moved to another moment of its series: the reminder text, the
/// caption and the rule from there replaced, the sound kept.
QString movedTo(const QString &tag, const QString &reminder, const QString &caption, const QString &rule);

} // namespace reminderedits
