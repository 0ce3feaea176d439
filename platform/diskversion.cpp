// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/diskversion.h"

#include "platform/contentdigest.h"
#include "platform/messageboxes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// "savedfile.qlt.conflict-2026-12-06 194700": no colon, so the name is valid on any common
// filesystem.
QString freeDatedPath(const QString &path, const QString &label, const QDateTime &now)
{
    const QString base = path + QLatin1Char('.') + label + QLatin1Char('-')
                         + now.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = base + QStringLiteral(" (%1)").arg(n);
    return candidate;
}

void DiskVersion::remember(const QByteArray &bytes)
{
    rememberDigest(ContentDigest::of(bytes));
}

void DiskVersion::rememberDigest(const QByteArray &digest)
{
    m_state = State::Present;
    m_digest = digest;
}

void DiskVersion::rememberMissing()
{
    m_state = State::Missing;
    m_digest.clear();
}

void DiskVersion::rememberFile(const QString &path)
{
    QByteArray bytes;
    if (QFileInfo(path).isFile() && readWholeFile(path, &bytes))
        remember(bytes);
    else if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        rememberMissing();
    else
        m_state = State::Unknown;
}

bool DiskVersion::keepOtherVersion(const QString &path, QString *copyPath, FileError *error,
                                   const QDateTime &now)
{
    const QString conflict = QStringLiteral("conflict");
    copyPath->clear();
    // Only a file is another version; a folder or a device there fails the save on its own.
    if (m_state == State::Unknown || !QFileInfo(path).isFile())
        return true;
    // Nearly always the file is as it was left: that is learnt piece by piece, never holding it.
    if (m_state == State::Present) {
        ContentDigest onDisk;
        if (readFileInPieces(path, [&onDisk](QByteArrayView piece) { onDisk.add(piece); return true; })
            && onDisk.result() == m_digest)
            return true;
    }
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, error)) {
        // There but unreadable: move it aside whole rather than write over what cannot be seen.
        const QString aside = freeDatedPath(path, conflict, now);
        if (!QFile::rename(path, aside))
            return false;
        *copyPath = aside;
        rememberMissing();
        return true;
    }
    if (m_state == State::Present && ContentDigest::of(bytes) == m_digest)
        return true;
    const QString aside = freeDatedPath(path, conflict, now);
    if (!writeFileAtomically(aside, bytes, error))
        return false;
    *copyPath = aside;
    remember(bytes);
    return true;
}

void tellOtherVersionKept(MessageBoxes *messages, QWidget *parent, const QString &path,
                          const QString &copyPath)
{
    messages->show(
        parent,
        QStringLiteral("\"%1\" was changed outside Quillet after Quillet last read or saved it "
                       "(by a sync tool, on another computer or by hand, for example).\n\n"
                       "That other version is kept, unchanged, as:\n%2\n\n"
                       "Quillet writes what you see over the original as usual. Nothing is "
                       "merged: take over from the other version whatever you still need.")
            .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(copyPath)),
        QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
}
