// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

/// The characters that give the data file its structure (see docs/file-format.md). Each is one
/// byte of the same value in the file's code page.
namespace fileformat {

/// Ends a record's caption.
inline constexpr char16_t kCaptionEnd = 0x00A4; // ¤
/// Ends a record.
inline constexpr char16_t kRecordEnd = 0x00A7; // §
/// Separates the fields of a tag text.
inline constexpr char16_t kFieldSeparator = 0x00B6; // ¶
inline constexpr char kCaptionEndByte = char(kCaptionEnd);
inline constexpr char kRecordEndByte = char(kRecordEnd);

/// The line that ends each section.
inline constexpr QStringView kEndOfSection = u"<end of section>";
inline constexpr QByteArrayView kEndOfSectionBytes = "<end of section>";
/// A line break inside a tag.
inline constexpr QStringView kLineBreakEscape = u"[crlf]";
inline constexpr QByteArrayView kLineBreakEscapeBytes = "[crlf]";

} // namespace fileformat
