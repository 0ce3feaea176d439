// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

/// The files are Windows-1252 text, one byte a character.
namespace ansi {

/// True when the character has a byte of its own in Windows-1252.
bool canEncode(QChar c);

/// Bytes to text. The five bytes Windows-1252 leaves undefined come back as the control
/// characters of the same number, so no byte is ever lost.
QString decode(QByteArrayView bytes);

/// Text to bytes; a character without a byte becomes 0x1A. Callers escape such characters first.
QByteArray encode(const QString &text);

/// The lines of a text file, with CR LF or LF line ends; a final line end adds no empty line.
QStringList splitLines(const QString &text);

} // namespace ansi
