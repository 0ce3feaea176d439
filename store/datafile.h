// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

/// One record of a section: the caption shown in the list and the tag text holding its data.
struct Record
{
    QString caption;
    QString tag;
    friend bool operator==(const Record &, const Record &) = default;
};
// Two shared strings: moved in memory as bytes, so long lists grow and shrink in place.
Q_DECLARE_TYPEINFO(Record, Q_RELOCATABLE_TYPE);

/// The four sections in file order.
enum class SectionId { Websites = 0, Contacts = 1, Notes = 2, Todos = 3 };
constexpr int kSectionCount = 4;

struct DataFileContent
{
    std::array<QList<Record>, kSectionCount> sections;

    QList<Record> &operator[](SectionId id) { return sections[size_t(id)]; }
    const QList<Record> &operator[](SectionId id) const { return sections[size_t(id)]; }
    friend bool operator==(const DataFileContent &, const DataFileContent &) = default;
};

/// The first line of every file this build writes: "Quillet 1.0 - 1.0.9".
QString dataFileHeader();

/// The whole file: header, then each section's record lines and its end line, CR LF line ends,
/// Windows-1252 bytes. Text that the plain grammar cannot carry is escaped (see docs/file-format.md).
QByteArray serializeDataFile(const DataFileContent &content);
/// The same bytes, handed to sink record by record in blocks of 64 KiB (the last one shorter)
/// from one small reused buffer, so a save never holds the whole file. Stops when sink refuses.
void writeDataFile(const DataFileContent &content, const std::function<bool(QByteArrayView)> &sink);

struct ParsedDataFile
{
    DataFileContent content;
    /// What did not fit the grammar; empty for a sound file. What could be read is in content.
    QStringList problems;
};

/// Reads any bytes without failing: line breaks carry no meaning, the header is not examined.
/// DataFileReader does the same from pieces of a file.
ParsedDataFile parseDataFile(QByteArrayView bytes);

/// Bytes the parser has looked at for line breaks and marks since the program started (a work
/// count: a file read in pieces must not be looked through again for each piece).
qsizetype dataFileBytesScanned();
