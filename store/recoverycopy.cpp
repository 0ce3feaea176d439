#include "store/recoverycopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kKeptAside = 5;

} // namespace

RecoveryCopy::RecoveryCopy(const QString &dataPath, const QString &fallbackFolder, QObject *parent)
    : QObject(parent)
    , m_path(dataPath + QStringLiteral(".recovery"))
    , m_fallbackPath(fallbackFolder + QLatin1Char('/') + QFileInfo(m_path).fileName())
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
        removeLeftoverTemporaries(candidate);
        if (QFileInfo(candidate).isFile() && readWholeFile(candidate, bytes))
            return candidate;
    }
    return QString();
}

void RecoveryCopy::keepAside(const QString &leftover, const QDateTime &now)
{
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
        QFile::remove(m_path);
        QFile::remove(m_fallbackPath);
    });
}

void RecoveryCopy::waitForWrites()
{
    m_writer.waitForDone();
}

QString RecoveryCopy::write(const DataFileContent &snapshot, FileError *error)
{
    if (m_lastWritten && *m_lastWritten == snapshot)
        return m_lastWhere;
    // Serialized as it is written: the copy's bytes are never held whole.
    const auto bytes = [&snapshot](const ByteSink &sink) { writeDataFile(snapshot, sink); };
    FileError beside;
    QString where;
    if (writeFileAtomically(m_path, bytes, &beside)) {
        where = m_path;
    } else if (QDir().mkpath(QFileInfo(m_fallbackPath).absolutePath())
               && writeFileAtomically(m_fallbackPath, bytes, error)) {
        where = m_fallbackPath;
    } else if (error && error->number == 0) {
        *error = beside;
    }
    if (!where.isEmpty()) {
        m_lastWritten = snapshot;
        m_lastWhere = where;
        // Only one copy may stand, or the next start could offer an older one.
        QFile::remove(where == m_path ? m_fallbackPath : m_path);
    }
    return where;
}
