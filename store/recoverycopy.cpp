// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/recoverycopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

constexpr int kKeptAside = 5;

/// Where a copy the data file's folder refuses goes: "savedfile.qlt.<key>.recovery", the key
/// standing for that folder alone. Not "savedfile.qlt.recovery-...", which would pass for one of
/// the dated copies of a data folder that is the fallback folder itself.
QString fallbackPathFor(const QString &dataPath, const QString &fallbackFolder)
{
    const QFileInfo data(dataPath);
    const QFileInfo folder(data.absolutePath());
    const QString canonical = folder.canonicalFilePath();
    const QString own = canonical.isEmpty() ? folder.absoluteFilePath() : canonical;
    const QString fallback = QFileInfo(fallbackFolder).canonicalFilePath();
    if (fallbackFolder.isEmpty() || own == fallback || own == QFileInfo(fallbackFolder).absoluteFilePath())
        return QString(); // refused beside the file, refused there too
    const QByteArray key = QCryptographicHash::hash(own.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return fallbackFolder + QLatin1Char('/') + data.fileName() + QLatin1Char('.') + QString::fromLatin1(key)
           + QStringLiteral(".recovery");
}

} // namespace

RecoveryCopy::RecoveryCopy(const QString &dataPath, const QString &fallbackFolder, QObject *parent)
    : QObject(parent)
    , m_path(dataPath + QStringLiteral(".recovery"))
    , m_fallbackPath(fallbackPathFor(dataPath, fallbackFolder))
{
    // One writer, so copies land in the order they were taken.
    m_writer.setMaxThreadCount(1);
}

RecoveryCopy::~RecoveryCopy()
{
    m_writer.waitForDone();
}

QString RecoveryCopy::findLeftover(QByteArray *bytes) const
{
    for (const QString &candidate : {m_path, m_fallbackPath}) {
        if (candidate.isEmpty())
            continue;
        removeLeftoverTemporaries(candidate);
        if (QFileInfo(candidate).isFile() && readWholeFile(candidate, bytes))
            return candidate;
    }
    return QString();
}

void RecoveryCopy::keepAside(const QString &leftover, const QDateTime &now)
{
    m_writer.waitForDone();
    m_lastWritten.reset(); // whatever it held is gone from where it was written
    const QFileInfo info(leftover);
    QDir folder = info.absoluteDir();
    const QString dated = info.fileName() + now.toString(QStringLiteral("-yyyy-MM-dd-HHmmss"));
    folder.remove(dated);
    folder.rename(info.fileName(), dated);
    // The dated names sort by age; the oldest beyond five go.
    QStringList kept = folder.entryList({info.fileName() + QStringLiteral("-*")}, QDir::Files, QDir::Name);
    while (kept.size() > kKeptAside)
        folder.remove(kept.takeFirst());
}

void RecoveryCopy::holdLeftover()
{
    m_writer.waitForDone();
    m_held = true;
}

void RecoveryCopy::writeLater(const DataFileContent &snapshot)
{
    m_writer.start([this, snapshot] { write(snapshot, nullptr); });
}

QString RecoveryCopy::writeNow(const DataFileContent &snapshot, FileError *error)
{
    m_writer.waitForDone();
    m_lastWritten.reset();
    return write(snapshot, error);
}

void RecoveryCopy::discard()
{
    m_writer.start([this] {
        m_lastWritten.reset();
        if (m_held)
            return;
        QFile::remove(m_path);
        if (!m_fallbackPath.isEmpty())
            QFile::remove(m_fallbackPath);
    });
}

void RecoveryCopy::waitForWrites()
{
    m_writer.waitForDone();
}

QString RecoveryCopy::write(const DataFileContent &snapshot, FileError *error)
{
    if (m_held) {
        if (error) {
            error->number = EEXIST;
            error->description = QStringLiteral("an earlier copy waits there for the next start");
        }
        return QString();
    }
    if (m_lastWritten && *m_lastWritten == snapshot)
        return m_lastWhere;
    // Serialized as it is written: the copy's bytes are never held whole.
    const auto bytes = [&snapshot](const ByteSink &sink) { writeDataFile(snapshot, sink); };
    FileError beside;
    QString where;
    if (writeFileAtomically(m_path, bytes, &beside)) {
        where = m_path;
    } else if (!m_fallbackPath.isEmpty() && QDir().mkpath(QFileInfo(m_fallbackPath).absolutePath())
               && writeFileAtomically(m_fallbackPath, bytes, error)) {
        where = m_fallbackPath;
    } else if (error && error->number == 0) {
        *error = beside;
    }
    if (!where.isEmpty()) {
        m_lastWritten = snapshot;
        m_lastWhere = where;
        // Only one copy may stand, or the next start could offer an older one.
        const QString other = where == m_path ? m_fallbackPath : m_path;
        if (!other.isEmpty())
            QFile::remove(other);
    }
    return where;
}
