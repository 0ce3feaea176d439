#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

/// Changes to a to-do's reminder, made on its tag text so that every other field keeps its
/// exact text.
namespace reminderedits {

/// The tag with its reminder moved to moment and the caption saying so; none for an empty tag
/// or one without a reminder (snoozing then changes nothing).
std::optional<QString> snoozed(const QString &tag, const QDateTime &moment);

/// The tag as a to-do without a reminder: no moment, no sound, no play flag and the caption
/// "Reminder not set", as the editor keeps a to-do whose reminder was never set.
QString withoutReminder(const QString &tag);

} // namespace reminderedits
