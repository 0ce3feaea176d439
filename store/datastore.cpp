#include "store/datastore.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

DataStore::DataStore(const QString &folder)
    : m_path(folder + QStringLiteral("/savedfile.qlt"))
{
}

DataStore::LoadResult DataStore::load()
{
    LoadResult result;
    if (!QFileInfo::exists(m_path)) {
        m_onDisk.rememberMissing();
        return result;
    }

    QByteArray bytes;
    FileError error;
    if (!readWholeFile(m_path, &bytes, &error)) {
        result.problem = QStringLiteral("It could not be read: %1.").arg(error.description);
        m_backupPending = true;
        return result;
    }
    m_onDisk.remember(bytes);
    ParsedDataFile parsed = parseDataFile(bytes);
    result.content = std::move(parsed.content);
    if (!parsed.problems.isEmpty()) {
        result.problem = parsed.problems.join(QLatin1Char(' '));
        m_backupPending = true;
    }
    return result;
}

bool DataStore::save(const DataFileContent &content, FileError *error)
{
    if (!m_onDisk.keepOtherVersion(m_path, &m_conflictCopy, error))
        return false;
    if (m_backupPending) {
        // Copy when we can read it, else move it aside; either way the original survives.
        QFile::remove(backupPath());
        if (!QFile::copy(m_path, backupPath()) && !QFile::rename(m_path, backupPath())) {
            if (error) {
                error->number = EACCES;
                error->description = QStringLiteral("The damaged file could not be kept as %1.")
                                         .arg(QFileInfo(backupPath()).fileName());
            }
            return false;
        }
        m_backupPending = false;
    }
    const QByteArray bytes = serializeDataFile(content);
    if (!writeFileAtomically(m_path, bytes, error))
        return false;
    m_onDisk.remember(bytes);
    return true;
}
