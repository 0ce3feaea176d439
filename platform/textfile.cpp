// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTemporaryInfix = QStringLiteral(".saving-");
constexpr qsizetype kReadPiece = 256 * 1024;
constexpr qint64 kWriteBackStep = 1024 * 1024;

bool fail(FileError *error, int number, const QString &description = QString())
{
    if (error) {
        error->number = number != 0 ? number : EIO;
        error->description = description.isEmpty() ? QString::fromLocal8Bit(std::strerror(error->number))
                                                   : description;
    }
    return false;
}

QString kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe (FIFO)");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a plain file");
}

/// Refuses what is not a plain file, naming what it is.
bool failNotAFile(FileError *error, const QString &path, mode_t mode)
{
    const QString kind = kindOf(mode);
    return fail(error, S_ISDIR(mode) ? EISDIR : EINVAL,
                QStringLiteral("\"%1\" is %2, not a file").arg(QFileInfo(path).fileName(), kind));
}

QString tooLarge(const QString &path)
{
    return QStringLiteral("\"%1\" is larger than 1 GiB").arg(QFileInfo(path).fileName());
}

int closeQuietly(int fd)
{
    const int saved = errno;
    const int result = ::close(fd);
    errno = saved;
    return result;
}

QString randomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return suffix;
}

} // namespace

namespace {

/// Opens a plain file for reading (without blocking, checked on the open handle: a pipe must not
/// stall the start, and a device must not be read without end). Returns the handle, or -1.
int openPlainFile(const QString &path, struct stat *info, FileError *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot even be opened; say what it is rather than "No such device".
        const int number = errno;
        if (::stat(QFile::encodeName(path).constData(), info) == 0 && !S_ISREG(info->st_mode))
            return failNotAFile(error, path, info->st_mode), -1;
        return fail(error, number), -1;
    }
    if (::fstat(fd, info) != 0) {
        const int number = errno;
        closeQuietly(fd);
        return fail(error, number), -1;
    }
    if (!S_ISREG(info->st_mode)) {
        closeQuietly(fd);
        return failNotAFile(error, path, info->st_mode), -1;
    }
    if (info->st_size > kLargestReadableFile) {
        closeQuietly(fd);
        return fail(error, EFBIG, tooLarge(path)), -1;
    }
    return fd;
}

ssize_t readSome(int fd, char *into, size_t size)
{
    ssize_t got;
    do
        got = ::read(fd, into, size);
    while (got < 0 && errno == EINTR);
    return got;
}

} // namespace

namespace {

/// Writes the pieces handed to it to a file, from 256 KiB slots it copies the pieces into. A file
/// larger than one slot is written on a thread of its own, so the caller makes the next piece
/// while the last one is copied into the page cache; three slots are all it ever holds.
class ThreadedFileWriter
{
public:
    ThreadedFileWriter(int fd, const WriteCalls &calls)
        : m_fd(fd)
        , m_calls(calls)
    {
    }
    ~ThreadedFileWriter() { finish(); }

    /// Takes a copy of the piece; false once a write has failed.
    bool add(QByteArrayView piece)
    {
        while (!piece.isEmpty()) {
            if (m_filling < 0 && !takeFreeSlot())
                return false;
            QByteArray &slot = m_slots[size_t(m_filling)];
            if (slot.capacity() < kSlot)
                slot.reserve(kSlot);
            const qsizetype taken = std::min(piece.size(), kSlot - slot.size());
            slot.append(piece.first(taken));
            piece = piece.sliced(taken);
            if (slot.size() == kSlot)
                queueFilling();
        }
        const std::lock_guard lock(m_mutex);
        return m_failure == 0;
    }

    /// Writes what is left and waits for it; the first failure's errno, or 0.
    int finish()
    {
        if (m_filling >= 0 && !m_slots[size_t(m_filling)].isEmpty()) {
            if (m_thread.joinable()) {
                queueFilling();
            } else {
                write(m_slots[size_t(m_filling)]); // a small file: no thread for it
                m_slots[size_t(m_filling)].resize(0);
            }
        }
        if (m_thread.joinable()) {
            {
                const std::lock_guard lock(m_mutex);
                m_done = true;
            }
            m_queued.notify_one();
            m_thread.join();
        }
        return m_failure;
    }

private:
    static constexpr qsizetype kSlot = 256 * 1024;
    static constexpr int kSlots = 3;

    bool takeFreeSlot()
    {
        std::unique_lock lock(m_mutex);
        m_freed.wait(lock, [this] { return !m_free.empty() || m_failure != 0; });
        if (m_failure != 0)
            return false;
        m_filling = m_free.back();
        m_free.pop_back();
        return true;
    }

    void queueFilling()
    {
        if (!m_thread.joinable() && !startThread()) {
            // No thread to be had: the slot is written here and filled again.
            write(m_slots[size_t(m_filling)]);
            m_slots[size_t(m_filling)].resize(0);
            return;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_queue.push_back(m_filling);
        }
        m_filling = -1;
        m_queued.notify_one();
    }

    bool startThread()
    {
        try {
            m_thread = std::thread([this] { run(); });
            return true;
        } catch (const std::system_error &) {
            return false;
        }
    }

    void run()
    {
        for (;;) {
            int slot = -1;
            {
                std::unique_lock lock(m_mutex);
                m_queued.wait(lock, [this] { return !m_queue.empty() || m_done; });
                if (m_queue.empty())
                    return;
                slot = m_queue.front();
                m_queue.pop_front();
            }
            write(m_slots[size_t(slot)]);
            {
                const std::lock_guard lock(m_mutex);
                m_slots[size_t(slot)].resize(0);
                m_free.push_back(slot);
            }
            m_freed.notify_one();
        }
    }

    /// Writes the bytes whole, carrying on after short writes; keeps the first failure, after
    /// which it writes nothing more.
    void write(const QByteArray &bytes)
    {
        {
            const std::lock_guard lock(m_mutex);
            if (m_failure != 0)
                return;
        }
        const char *data = bytes.constData();
        size_t left = size_t(bytes.size());
        while (left > 0) {
            errno = 0;
            const ssize_t written = m_calls.write ? m_calls.write(m_fd, data, left) : ::write(m_fd, data, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                const int number = written == 0 ? ENOSPC : (errno != 0 ? errno : EIO);
                const std::lock_guard lock(m_mutex);
                m_failure = number;
                return;
            }
            data += written;
            left -= size_t(written);
        }
        // The disk starts on what is written while the rest is being made, so the sync at the
        // end has little left to wait for.
        m_written += bytes.size();
        if (m_written - m_handedOn >= kWriteBackStep) {
            ::sync_file_range(m_fd, m_handedOn, m_written - m_handedOn, SYNC_FILE_RANGE_WRITE);
            m_handedOn = m_written;
        }
    }

    const int m_fd;
    const WriteCalls &m_calls;
    std::array<QByteArray, kSlots> m_slots;
    int m_filling = -1;               // the slot being filled, the caller's alone
    std::vector<int> m_free {2, 1, 0};
    std::deque<int> m_queue;
    bool m_done = false;
    int m_failure = 0;
    qint64 m_written = 0;             // the writer's alone
    qint64 m_handedOn = 0;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_freed;
    std::thread m_thread;
};

} // namespace

bool readFileInPieces(const QString &path, const ByteSink &take, FileError *error)
{
    struct stat info {};
    const int fd = openPlainFile(path, &info, error);
    if (fd < 0)
        return false;
    QByteArray buffer(qsizetype(std::min<qint64>(info.st_size + 1, kReadPiece)), Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const ssize_t got = readSome(fd, buffer.data(), size_t(buffer.size()));
        if (got < 0) {
            const int number = errno;
            closeQuietly(fd);
            return fail(error, number);
        }
        if (got == 0)
            break;
        total += got;
        if (total > kLargestReadableFile) {
            closeQuietly(fd);
            return fail(error, EFBIG, tooLarge(path));
        }
        if (!take(QByteArrayView(buffer.constData(), got))) {
            closeQuietly(fd);
            return fail(error, ECANCELED);
        }
        if (buffer.size() < kReadPiece && got == buffer.size())
            buffer.resize(kReadPiece); // the file grew while we read it
    }
    ::close(fd);
    return true;
}

bool readWholeFile(const QString &path, QByteArray *bytes, FileError *error)
{
    QByteArray data;
    const bool read = readFileInPieces(path, [&data](QByteArrayView piece) {
        data.append(piece);
        return true;
    }, error);
    if (read)
        *bytes = std::move(data);
    return read;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error,
                         const WriteCalls &calls)
{
    return writeFileAtomically(path, [&bytes](const ByteSink &sink) { sink(bytes); }, error, calls);
}

namespace {

/// Makes the file from what produce hands over; a produce that fails (with its error) leaves the
/// old file as it was, as a failed write does.
bool replaceAtomically(const QString &path, const std::function<bool(const ByteSink &, FileError *)> &produce,
                       FileError *error, const WriteCalls &calls)
{
    // A link is followed, so the file it names is replaced and the link stays.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    struct stat old {};
    const bool hadOld = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode))
        return failNotAFile(error, target, old.st_mode);

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 20; ++attempt) {
        temporary = QFile::encodeName(target + kTemporaryInfix + randomSuffix());
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(error, errno);
    if (hadOld)
        ::fchmod(fd, old.st_mode & 07777);

    auto abandon = [&](int number) {
        if (fd >= 0)
            closeQuietly(fd);
        ::unlink(temporary.constData());
        return fail(error, number);
    };
    // Each piece goes to the file as it comes; the first failure is the save's cause.
    ThreadedFileWriter writer(fd, calls);
    FileError produceError;
    const bool made = produce([&writer](QByteArrayView piece) { return writer.add(piece); }, &produceError);
    const int failure = writer.finish();
    if (failure != 0)
        return abandon(failure);
    if (!made) {
        abandon(produceError.number);
        if (error)
            *error = produceError;
        return false;
    }
    // The rename may only happen once the bytes are on the disk, or a power cut leaves an
    // empty file where the old one was.
    errno = 0;
    if ((calls.sync ? calls.sync(fd) : ::fsync(fd)) != 0)
        return abandon(errno);
    errno = 0;
    const int closed = calls.close ? calls.close(fd) : ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(errno);
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        return abandon(errno);

    // The rename itself is only lasting once the folder is on the disk too.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        const int synced = ::fsync(folder);
        const int number = errno;
        ::close(folder);
        if (synced != 0 && number != EINVAL)
            return fail(error, number);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const QString &path, const std::function<void(const ByteSink &)> &produce,
                         FileError *error, const WriteCalls &calls)
{
    return replaceAtomically(path, [&produce](const ByteSink &sink, FileError *) {
        produce(sink);
        return true;
    }, error, calls);
}

bool copyFileAtomically(const QString &from, const QString &to, FileError *error)
{
    return replaceAtomically(to, [&from](const ByteSink &sink, FileError *readError) {
        return readFileInPieces(from, sink, readError);
    }, error, {});
}

int removeLeftoverTemporaries(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression pattern(
        QStringLiteral("^%1(\\.[a-z]+)?%2[A-Za-z0-9]{6}$")
            .arg(QRegularExpression::escape(info.fileName()), QRegularExpression::escape(kTemporaryInfix)));
    QDir folder = info.absoluteDir();
    int removed = 0;
    for (const QFileInfo &entry : folder.entryInfoList({info.fileName() + QStringLiteral("*")},
                                                       QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && entry.isFile() && pattern.match(entry.fileName()).hasMatch()
            && folder.remove(entry.fileName()))
            ++removed;
    }
    return removed;
}
