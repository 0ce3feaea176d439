#pragma once

#include "store/datafile.h"

#include <QByteArray>
#include <QByteArrayView>

/// Turns a data file's bytes into records as they are read, in pieces cut anywhere, so the
/// whole file is never held: only the record being read and the records made so far.
/// Line breaks carry no meaning; what does not fit the grammar is listed, never fatal.
class DataFileReader
{
public:
    void add(QByteArrayView piece);
    /// The records and the problems, once every piece was added.
    ParsedDataFile finish();

private:
    void addBody(QByteArrayView bytes);
    /// Makes records of what is complete; at the end, of everything left.
    void take(bool atEnd);
    void takeRecord(QByteArrayView line);

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
};
