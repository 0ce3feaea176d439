// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Fixed facts about the program that several windows show.
namespace appinfo {

inline QString website() { return QStringLiteral("https://quillet.example.org"); }
inline QString supportEmail() { return QStringLiteral("support@quillet.example.org"); }

} // namespace appinfo
