// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// A quick fingerprint of a file's bytes, taken as they stream by in pieces of any size: the
/// same bytes give the same value within one run of the program, however they are cut up. It
/// tells whether a file still holds what the program read or wrote; it is no seal against
/// someone who means harm.
class ContentDigest
{
public:
    void add(QByteArrayView bytes);
    /// The fingerprint of everything added so far.
    QByteArray result() const;

    static QByteArray of(QByteArrayView bytes);

private:
    // Whole blocks are hashed where they lie; only a block cut between two pieces is copied.
    static constexpr qsizetype kBlock = 64 * 1024;
    void addBlocks(const char *data, qsizetype blocks);

    size_t m_state = 0x51d7e3a9u;
    qint64 m_size = 0;
    QByteArray m_partial;
};
