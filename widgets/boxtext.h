// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPlainTextEdit;

/// The box's whole text with "\n" line breaks, every other character as typed (the box's own
/// plain-text view would turn no-break spaces into spaces).
QString boxText(const QPlainTextEdit *box);
