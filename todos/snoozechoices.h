// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// The snooze menu's entries in menu order, shared by the alarm and the missed reminders.
struct SnoozeChoice
{
    const char *name;
    const char *text;
    int minutes; // 0: a separator
};

inline constexpr SnoozeChoice kSnoozeChoices[] = {
    {"mnu1Min", "1 Minute", 1},     {"mnu2Min", "2 Minutes", 2},   {"mnu3Min", "3 Minutes", 3},
    {"mnu5Min", "5 Minutes", 5},    {"mnuDash1", "-", 0},          {"mnu10Min", "10 Minutes", 10},
    {"mnu20Min", "20 Minutes", 20}, {"mnu30Min", "30 Minutes", 30}, {"mnu45Min", "45 Minutes", 45},
    {"mnuDash2", "-", 0},           {"mnu1hour", "1 Hour", 60},
};

/// The default (bold) entry.
inline constexpr int kDefaultSnoozeMinutes = 5;
