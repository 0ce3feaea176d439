// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

class QKeyEvent;

/// Whether a key typed into a number box may reach it: keys that type no character (arrows,
/// Delete, shortcuts, Enter, Esc) and Backspace always, digits always, other typed characters
/// only when listed in extras.
bool numberBoxTakesKey(const QKeyEvent *event, QStringView extras);
