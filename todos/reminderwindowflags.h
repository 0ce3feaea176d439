// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

/// The frame of a window that holds due reminders: no minimise button and above other windows,
/// since a reminder window out of sight would hold back the alarms that wait for it.
inline constexpr Qt::WindowFlags kReminderWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint
    | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;
