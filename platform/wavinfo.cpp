// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wavinfo.h"

#include <QFile>
#include <QtEndian>

namespace {
quint32 le32(const char *p) { return qFromLittleEndian<quint32>(p); }
quint16 le16(const char *p) { return qFromLittleEndian<quint16>(p); }
} // namespace

int wavDurationMs(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qint64 pos = 12;
    while (pos + 8 <= bytes.size()) {
        const char *chunk = bytes.constData() + pos;
        const quint32 size = le32(chunk + 4);
        const QByteArray id(chunk, 4);
        if (id == "fmt " && size >= 16 && pos + 8 + 16 <= bytes.size()) {
            if (le16(chunk + 8) != 1) // only plain PCM is played
                return -1;
            byteRate = le32(chunk + 8 + 8);
        } else if (id == "data") {
            if (byteRate == 0)
                return -1;
            const qint64 available = qMin<qint64>(size, bytes.size() - pos - 8);
            return int(available * 1000 / byteRate);
        }
        pos += 8 + size + (size & 1);
    }
    return -1;
}

int wavFileDurationMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return wavDurationMs(file.readAll());
}
