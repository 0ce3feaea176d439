// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

struct FileError;
class QString;

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>

/// Turns a data file's bytes into records as they are read, in pieces cut anywhere, so the
/// whole file is never held: only the record being read and the records made so far.
/// Line breaks carry no meaning; what does not fit the grammar is listed, never fatal.
class DataFileReader
{
public:
    /// No planner writes a record this long: one that runs on past it (a damaged file, zeros
    /// where the text was) is left out as it is read, rather than held to the end of the file.
    static constexpr qsizetype kLongestRecord = qsizetype(64) << 20;

    explicit DataFileReader(qsizetype longestRecord = kLongestRecord)
        : m_longestRecord(longestRecord)
    {
    }

    void add(QByteArrayView piece);
    /// The records and the problems, once every piece was added.
    ParsedDataFile finish();
    /// Bytes held for the record being read (a test sees that a record never ends up whole).
    qsizetype heldBytes() const { return std::max(m_pending.capacity(), m_firstLine.capacity()); }

private:
    void addBody(QByteArrayView bytes);
    /// Makes records of what is complete; at the end, of everything left.
    void take(bool atEnd);
    void takeRecord(QByteArrayView line);

    qsizetype m_longestRecord;
    ParsedDataFile m_result;
    bool m_empty = true;
    bool m_inFirstLine = true;
    QByteArray m_firstLine;
    /// Body bytes without line breaks, not yet made into records.
    QByteArray m_pending;
    /// m_pending before this offset holds no "§" and no whole end line.
    qsizetype m_searchFrom = 0;
    int m_section = 0;
    /// How many problems were known when the current section began.
    qsizetype m_problemsBefore = 0;
    bool m_textAfterEnd = false;
    /// The record being read is too long: its bytes are dropped up to its end.
    bool m_skippingRecord = false;
};

/// Reads the whole data file at `path` a piece at a time; false, with the error, when it cannot
/// be read. What does not fit the grammar is in the result's problems.
bool parseDataFileAt(const QString &path, ParsedDataFile *parsed, FileError *error);
