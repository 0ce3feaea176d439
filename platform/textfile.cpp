#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

bool fail(FileError *error, int number)
{
    if (error) {
        error->number = number != 0 ? number : EIO;
        error->description = QString::fromLocal8Bit(std::strerror(error->number));
    }
    return false;
}

} // namespace

bool readWholeFile(const QString &path, QByteArray *bytes, FileError *error)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, errno);
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, errno);
    return true;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, errno);
    if (file.write(bytes) != bytes.size()) {
        const int number = errno;
        file.cancelWriting();
        return fail(error, number);
    }
    errno = 0;
    if (!file.commit())
        return fail(error, errno);
    return true;
}
