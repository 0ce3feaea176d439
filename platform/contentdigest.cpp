// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contentdigest.h"

#include <QHash>

#include <cstring>

void ContentDigest::addBlocks(const char *data, qsizetype blocks)
{
    for (qsizetype i = 0; i < blocks; ++i, data += kBlock)
        m_state = qHashBits(data, size_t(kBlock), m_state);
}

void ContentDigest::add(QByteArrayView bytes)
{
    m_size += bytes.size();
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    if (!m_partial.isEmpty()) {
        const qsizetype taken = std::min(left, kBlock - m_partial.size());
        m_partial.append(data, taken);
        data += taken;
        left -= taken;
        if (m_partial.size() < kBlock)
            return;
        addBlocks(m_partial.constData(), 1);
        m_partial.resize(0);
    }
    addBlocks(data, left / kBlock);
    if (left % kBlock != 0) {
        if (m_partial.capacity() < kBlock)
            m_partial.reserve(kBlock);
        m_partial.append(data + left - left % kBlock, left % kBlock);
    }
}

QByteArray ContentDigest::result() const
{
    const size_t last = qHashBits(m_partial.constData(), size_t(m_partial.size()), m_state);
    QByteArray out(sizeof last + sizeof m_size, Qt::Uninitialized);
    std::memcpy(out.data(), &last, sizeof last);
    std::memcpy(out.data() + sizeof last, &m_size, sizeof m_size);
    return out;
}

QByteArray ContentDigest::of(QByteArrayView bytes)
{
    ContentDigest digest;
    digest.add(bytes);
    return digest.result();
}
