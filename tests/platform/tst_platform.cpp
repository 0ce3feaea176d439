#include "platform/ansitext.h"
#include "platform/desktopshell.h"
#include "platform/textfile.h"
#include "platform/wavinfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cerrno>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray wav(quint16 format, quint32 byteRate, quint32 dataBytes)
{
    QByteArray bytes = "RIFF" + QByteArray(4, '\0') + "WAVE";
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(format, fmt.data());
    qToLittleEndian<quint16>(1, fmt.data() + 2);
    qToLittleEndian<quint32>(byteRate, fmt.data() + 8);
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(16, size.data());
    bytes += "fmt " + size + fmt;
    bytes += "LIST" + QByteArray("\x04\0\0\0", 4) + "INFO"; // a chunk to skip
    qToLittleEndian<quint32>(dataBytes, size.data());
    bytes += "data" + size + QByteArray(int(dataBytes), '\0');
    return bytes;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void codePageRoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = ansi::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // euro sign
        QCOMPARE(text.at(0xA4), QChar(0x00A4));
        QCOMPARE(ansi::encode(text), all);
        for (const QChar c : text)
            QVERIFY(ansi::canEncode(c));
        QVERIFY(!ansi::canEncode(QChar(0x4E2D)));
        QCOMPARE(ansi::encode(QStringLiteral("a中b")), QByteArray("a\x1A" "b"));
    }

    void shellTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("https") << "https://example.org/a?b=c" << "https://example.org/a?b=c";
        QTest::newRow("mailto") << "mailto:ann@example.org" << "mailto:ann@example.org";
        QTest::newRow("www guess") << "www.example.org" << "http://www.example.org";
        QTest::newRow("ftp guess") << "ftp.example.org" << "ftp://ftp.example.org";
        QTest::newRow("existing folder") << "/tmp" << "file:///tmp";
        QTest::newRow("missing file") << "/no/such/file.htm" << "";
        QTest::newRow("plain words") << "not a url" << "";
        QTest::newRow("drive letter is no scheme") << "C:\\Docs\\index.htm" << "";
        QTest::newRow("empty") << "   " << "";
    }
    void shellTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        QCOMPARE(urlForShellText(text).toString(), url);
    }

    void wavDuration_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("ms");
        QTest::newRow("one second") << wav(1, 44100, 44100) << 1000;
        QTest::newRow("quarter second") << wav(1, 88200, 22050) << 250;
        QTest::newRow("not PCM") << wav(3, 44100, 44100) << -1;
        QTest::newRow("not a WAV") << QByteArray("hello world, this is text") << -1;
        QTest::newRow("data cut short") << wav(1, 1000, 1000).left(60) << 4;
    }
    void wavDuration()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, ms);
        QCOMPARE(wavDurationMs(bytes), ms);
    }

    // A disk that fails part-way: every failure is a failed save, with the system's own cause,
    // the old file as it was and no temporary file left.
    void atomicWriteFailures_data()
    {
        QTest::addColumn<int>("failAt"); // 0 write after 4 bytes, 1 sync, 2 close
        QTest::addColumn<int>("number");
        QTest::newRow("disk full after four bytes") << 0 << ENOSPC;
        QTest::newRow("sync fails") << 1 << EIO;
        QTest::newRow("close fails") << 2 << EDQUOT;
    }
    void atomicWriteFailures()
    {
        QFETCH(int, failAt);
        QFETCH(int, number);
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        QVERIFY(writeFileAtomically(path, "first"));
        WriteCalls calls;
        calls.write = [&](int fd, const char *data, size_t size) -> ssize_t {
            if (failAt == 0 && lseek(fd, 0, SEEK_CUR) >= 4)
                return errno = number, -1;
            return ::write(fd, data, std::min<size_t>(size, 4)); // short writes are carried on
        };
        calls.sync = [&](int fd) { return failAt == 1 ? (errno = number, -1) : ::fsync(fd); };
        calls.close = [&](int fd) { return failAt == 2 ? (::close(fd), errno = number, -1) : ::close(fd); };
        FileError error;
        QVERIFY(!writeFileAtomically(path, "second, longer", &error, calls));
        QCOMPARE(error.number, number);
        QCOMPARE(error.description, QString::fromLocal8Bit(strerror(number)));
        QByteArray bytes;
        QVERIFY(readWholeFile(path, &bytes));
        QCOMPARE(bytes, QByteArray("first"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"});
        failAt = -1;
        QVERIFY(writeFileAtomically(path, "second, longer", &error, calls));
        QVERIFY(readWholeFile(path, &bytes));
        QCOMPARE(bytes, QByteArray("second, longer"));
    }

    // What stands in place of a file is named at once; nothing is read without end or replaced.
    void notAFileIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("folder") << "folder" << "is a folder";
        QTest::newRow("fifo") << "fifo" << "is a named pipe (FIFO)";
        QTest::newRow("socket") << "socket" << "is a socket";
        QTest::newRow("link to /dev/zero") << "device" << "is a device";
        QTest::newRow("over 1 GiB") << "huge" << "is larger than 1 GiB";
        QTest::newRow("missing") << "missing" << "No such file or directory";
    }
    void notAFileIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath("savedfile.qlt");
        const QByteArray name = QFile::encodeName(path);
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("savedfile.qlt"));
        else if (kind == "fifo")
            QCOMPARE(mkfifo(name.constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "huge")
            QCOMPARE(truncate((QFile(path).open(QIODevice::WriteOnly), name.constData()), kLargestReadableFile + 1), 0);
        sockaddr_un address{};
        const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (kind == "socket") {
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
            QCOMPARE(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        }
        QByteArray bytes;
        FileError error;
        QVERIFY(!readWholeFile(path, &bytes, &error));
        QVERIFY2(error.description.contains(named), qPrintable(error.description));
        if (kind != "missing" && kind != "huge" && kind != "device") {
            QVERIFY(!writeFileAtomically(path, "x", &error));
            QVERIFY2(error.description.contains(named), qPrintable(error.description));
            QVERIFY(!QFileInfo(path).isFile());
        }
        ::close(sock);
    }

    void leftoversOfAKilledSaveGo()
    {
        QTemporaryDir dir;
        const QStringList names = {"savedfile.qlt.saving-Ab12Cd", "savedfile.qlt.recovery.saving-x1y2z3",
                                   "savedfile.qlt", "savedfile.qlt.bak", "savedfile.qlt.saving-short", "notes.saving-Ab12Cd"};
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(removeLeftoverTemporaries(dir.filePath("savedfile.qlt")), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), names.size() - 2);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
