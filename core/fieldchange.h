// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Carrying a change of a record over to what the record holds now, so that taking back a snooze
/// keeps a description typed after it.
namespace fieldchange {

/// current with the fields that differ between from and to set as in to; each other field keeps
/// its exact text. A field missing from one of them (a to-do's repeat rule) counts as empty there.
QString carriedOver(const QString &current, const QString &from, const QString &to);

} // namespace fieldchange
