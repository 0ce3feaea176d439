// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

/// Asks for a password on the terminal the program was started from, without showing what is
/// typed; none when there is no terminal (a script, a service) or nothing was typed.
std::optional<QString> askPasswordOnTerminal(const QString &question);
