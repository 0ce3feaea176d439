// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ansitext.h"
#include "platform/autostart.h"
#include "platform/datafolder.h"
#include "platform/diskversion.h"
#include "platform/shelltarget.h"
#include "platform/textfile.h"
#include "platform/wavinfo.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_DECLARE_METATYPE(datafolder::Kind)

namespace {

using datafolder::Kind;

/// A one-channel WAV file: its format chunk, a chunk to skip, and dataBytes of silence.
QByteArray wav(quint16 format, quint32 byteRate, quint32 dataBytes)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF\0\0\0\0WAVEfmt ", 16);
    out << quint32(16) << format << quint16(1) << quint32(0) << byteRate << quint32(0);
    out.writeRawData("LIST\4\0\0\0INFOdata", 16);
    out << dataBytes;
    return bytes + QByteArray(int(dataBytes), '\0');
}

/// The bytes of a file, or a note that it could not be read.
QByteArray bytesOf(const QString &path)
{
    QByteArray bytes;
    return readWholeFile(path, &bytes) ? bytes : QByteArray("(unreadable)");
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

    void autostartEntry_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("tryExec");
        QTest::newRow("plain") << QStringList{"/usr/lib/quillet/quillet", "--minimized"}
                               << "Exec=/usr/lib/quillet/quillet --minimized" << "TryExec=/usr/lib/quillet/quillet";
        QTest::newRow("launcher") << QStringList{"quillet", "--minimized"} << "Exec=quillet --minimized" << "TryExec=quillet";
        QTest::newRow("blank") << QStringList{"/opt/My Apps/quillet", "--data-dir", "/d"}
                               << "Exec=\"/opt/My Apps/quillet\" --data-dir /d" << "TryExec=/opt/My Apps/quillet";
        QTest::newRow("escapes") << QStringList{"/tmp/a$b\\c%"} << "Exec=\"/tmp/a\\\\$b\\\\\\\\c%%\"" << "TryExec=/tmp/a$b\\\\c%";
    }
    void autostartEntry()
    {
        QFETCH(QStringList, command);
        const QList<QByteArray> lines = autostart::entryText(command).split('\n');
        QCOMPARE(lines.first(), "[Desktop Entry]");
        QVERIFY(lines.contains("Type=Application"));
        QTEST(QString::fromUtf8(lines.at(lines.indexOf("Name=Quillet") + 3)), "exec");
        QTEST(QString::fromUtf8(lines.at(lines.indexOf("Name=Quillet") + 2)), "tryExec");
        // XDG_CONFIG_HOME counts only when it is an absolute path.
        QCOMPARE(autostart::entryPath("/x/", "/home/u"), QStringLiteral("/x/autostart/quillet.desktop"));
        QCOMPARE(autostart::entryPath("x", "/home/u"), QStringLiteral("/home/u/.config/autostart/quillet.desktop"));
    }

    void autostartOn_data()
    {
        QTest::addColumn<QByteArray>("entry"); // "PROGRAM" stands for an executable in a temporary folder
        QTest::addColumn<bool>("on");
        QTest::newRow("program there") << autostart::entryText({"PROGRAM", "--minimized"}) << true;
        QTest::newRow("program gone") << autostart::entryText({"PROGRAM-gone", "--minimized"}) << false;
        QTest::newRow("on the PATH") << autostart::entryText({"sh", "--minimized"}) << true;
        QTest::newRow("no longer on the PATH") << autostart::entryText({"quillet-removed-long-ago"}) << false;
        QTest::newRow("switched off") << autostart::entryText({"PROGRAM"}) + "Hidden=true\n" << false;
        QTest::newRow("older entry") << QByteArray("[Desktop Entry]\nExec=\"PROGRAM\" --minimized\n") << true;
        QTest::newRow("older entry, gone") << QByteArray("[Desktop Entry]\nExec=PROGRAM-gone --minimized\n") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void autostartOn()
    {
        QFETCH(QByteArray, entry);
        QTemporaryDir folder(QDir::tempPath() + "/with blank-XXXXXX");
        QFile program(folder.filePath("quillet"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.setPermissions(program.permissions() | QFile::ExeOwner);
        const QString path = folder.filePath("entry.desktop");
        if (!entry.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(entry.replace("PROGRAM", program.fileName().toUtf8()));
        }
        QTEST(autostart::isOn(path), "on");
    }

    void autostartProgram_data()
    {
        QTest::addColumn<QString>("program"); // paths in a temporary folder
        QTest::addColumn<QString>("launcherOnPath");
        QTest::addColumn<QString>("started");
        QTest::newRow("installed") << "usr/lib/quillet/quillet" << "usr/bin/quillet" << "quillet";
        QTest::newRow("launcher linked") << "usr/lib/quillet/quillet" << "bin/quillet" << "quillet";
        QTest::newRow("another installation") << "opt/lib/quillet/quillet" << "usr/bin/quillet" << "opt/lib/quillet/quillet";
        QTest::newRow("build folder, none installed") << "build/quillet/quillet" << "" << "build/quillet/quillet";
    }
    void autostartProgram()
    {
        QFETCH(QString, program);
        QFETCH(QString, launcherOnPath);
        QFETCH(QString, started);
        QTemporaryDir root;
        for (const char *file : {"usr/lib/quillet/quillet", "usr/bin/quillet", "opt/lib/quillet/quillet",
                                 "build/quillet/quillet"}) {
            QVERIFY(QDir(root.path()).mkpath(QFileInfo(file).path()));
            QVERIFY(QFile(root.filePath(file)).open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(root.path()).mkpath("bin"));
        QVERIFY(QFile::link(root.filePath("usr/bin/quillet"), root.filePath("bin/quillet")));
        const QString expected = started.contains('/') ? root.filePath(started) : started;
        QCOMPARE(autostart::programToStart(root.filePath(program), launcherOnPath.isEmpty() ? "" : root.filePath(launcherOnPath),
                                           "../lib/quillet/quillet"),
                 expected);
    }

    void shellTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url"); // fully encoded; "" when it names nothing
        QTest::addColumn<bool>("asks");
        QTest::newRow("https") << "https://example.org/a?b=c" << "https://example.org/a?b=c" << false;
        QTest::newRow("mailto") << "mailto:ann@example.org" << "mailto:ann@example.org" << false;
        QTest::newRow("bare domain, path") << " example.org/a/b?c#d " << "https://example.org/a/b?c#d" << false;
        QTest::newRow("bare domain, port") << "example.org:8080/x" << "https://example.org:8080/x" << false;
        QTest::newRow("international name") << QStringLiteral("bücher.example/ü")
                                            << "https://xn--bcher-kva.example/%C3%BC" << false;
        QTest::newRow("www") << "www.example.org" << "https://www.example.org" << false;
        QTest::newRow("ftp guess") << "ftp.example.org" << "ftp://ftp.example.org" << false;
        QTest::newRow("localhost, port") << "localhost:8080" << "" << false;
        QTest::newRow("blank inside") << "example.org/not a url" << "" << false;
        QTest::newRow("e-mail without scheme") << "ann@example.org" << "" << false;
        QTest::newRow("existing folder") << "/tmp" << "file:///tmp" << true;
        QTest::newRow("file URL") << "file:///usr/bin/env" << "file:///usr/bin/env" << true;
        QTest::newRow("missing file") << "/no/such/file.htm" << "" << false;
        QTest::newRow("drive letter is no scheme") << "C:\\Docs\\index.htm" << "" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << "javascript:alert(1)" << true;
        QTest::newRow("custom scheme") << "tel:+15551234" << "tel:+15551234" << true;
        QTest::newRow("empty") << "   " << "" << false;
    }
    void shellTexts()
    {
        QFETCH(QString, text);
        const QUrl target = urlForShellText(text);
        QTEST(target.toString(QUrl::FullyEncoded), "url");
        QTEST(!target.isEmpty() && !opensWithoutAsking(target), "asks");
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
        QTEST(wavDurationMs(bytes), "ms");
    }

    void dataFolderChoice_data()
    {
        QTest::addColumn<QString>("prog");
        QTest::addColumn<Kind>("program");
        QTest::addColumn<QString>("requested");
        QTest::addColumn<Kind>("asked");
        QTest::addColumn<Kind>("user");
        QTest::addColumn<QString>("folder"); // empty: refused, with the refused path named
        QTest::addColumn<bool>("create");
        const Kind W = Kind::Folder, R = Kind::ReadOnlyFolder, F = Kind::File, M = Kind::Missing;
        QTest::newRow("writable program folder") << "/prog" << W << "" << M << W << "/prog" << false;
        QTest::newRow("installed under /usr, run by root") << "/usr/lib/quillet" << W << "" << M << W << "/home/u/Quillet" << false;
        QTest::newRow("read-only program folder") << "/prog" << R << "" << M << M << "/home/u/Quillet" << true;
        QTest::newRow("read-only, user folder there") << "/prog" << R << "" << M << W << "/home/u/Quillet" << false;
        QTest::newRow("read-only, user folder a file") << "/prog" << R << "" << M << F << "" << false;
        QTest::newRow("read-only, user folder read-only") << "/prog" << R << "" << M << R << "" << false;
        QTest::newRow("--data-dir folder") << "/prog" << W << "/want" << W << M << "/want" << false;
        QTest::newRow("--data-dir missing") << "/prog" << R << "/want" << M << M << "/want" << true;
        QTest::newRow("--data-dir file") << "/prog" << W << "/want" << F << W << "" << false;
        QTest::newRow("--data-dir unwritable") << "/prog" << W << "/want" << R << W << "" << false;
    }
    void dataFolderChoice()
    {
        QFETCH(QString, prog);
        QFETCH(Kind, program);
        QFETCH(QString, requested);
        QFETCH(Kind, asked);
        QFETCH(Kind, user);
        QFETCH(QString, folder);
        const datafolder::Choice choice =
            datafolder::choose(prog, program, requested, asked, "/home/u/Quillet", user);
        QCOMPARE(choice.folder, folder);
        QTEST(choice.create, "create");
        QCOMPARE(choice.problem.isEmpty(), !folder.isEmpty());
        if (folder.isEmpty())
            QVERIFY(choice.problem.contains(requested.isEmpty() ? "/home/u/Quillet" : "/want"));
    }

    void dataFolderOnDisk()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("share/Quillet");
        QCOMPARE(datafolder::locate(dir.path(), "", user).folder, dir.path());
        QVERIFY(!QFileInfo::exists(user)); // nothing made that is not needed
        QCOMPARE(datafolder::locate(dir.path(), dir.filePath("a/b"), user).folder, dir.filePath("a/b"));
        QCOMPARE(datafolder::kindOf(dir.filePath("a/b")), Kind::Folder);
        QVERIFY(writeFileAtomically(dir.filePath("f"), "keep"));
        QVERIFY(datafolder::locate(dir.path(), dir.filePath("f"), user).folder.isEmpty());
        QVERIFY(datafolder::locate(dir.path(), dir.filePath("f/sub"), user).problem.contains("Error number: "));
        QCOMPARE(bytesOf(dir.filePath("f")), QByteArray("keep"));
    }

    // Whether a folder takes the data is learnt by writing there, never by access(): root passes
    // every access() check, yet a file system such as /sys still refuses it a file.
    void folderKinds_data()
    {
        QTest::addColumn<QString>("name"); // inside a temporary folder, or absolute
        QTest::addColumn<int>("mode");     // given to it first, when not 0
        QTest::addColumn<Kind>("kind");
        QTest::newRow("writable") << "." << 0 << Kind::Folder;
        QTest::newRow("missing") << "none" << 0 << Kind::Missing;
        QTest::newRow("file") << "f" << 0 << Kind::File;
        // Root may write where the mode bits say no; anyone else may not.
        QTest::newRow("mode 0555") << "ro" << 0555 << (geteuid() == 0 ? Kind::Folder : Kind::ReadOnlyFolder);
        if (QFileInfo("/sys/kernel").isDir())
            QTest::newRow("refuses files") << "/sys/kernel" << 0 << Kind::ReadOnlyFolder;
    }
    void folderKinds()
    {
        QFETCH(QString, name);
        QFETCH(int, mode);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("ro") && writeFileAtomically(dir.filePath("f"), "x"));
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        if (mode != 0)
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        QTEST(datafolder::kindOf(path), "kind");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"f", "ro"})); // the trial leaves nothing behind
        ::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0700);
    }

    // Replacing a file keeps what it is: its permissions, and a link stays the same link, to the
    // file that now holds the new bytes.
    void replacingKeepsTheFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("link"); // where savedfile.qlt points; "" for a plain file
        QTest::newRow("private") << 0600 << "";
        QTest::newRow("shared with the group") << 0640 << "";
        QTest::newRow("link beside") << 0640 << "real.qlt";
        QTest::newRow("link into another folder") << 0600 << "sub/real.qlt";
    }
    void replacingKeepsTheFile()
    {
        QFETCH(int, mode);
        QFETCH(QString, link);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        const QString path = dir.filePath("savedfile.qlt");
        const QString file = link.isEmpty() ? path : dir.filePath(link);
        QVERIFY(writeFileAtomically(file, "old"));
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
        if (!link.isEmpty())
            QCOMPARE(::symlink(QFile::encodeName(link).constData(), QFile::encodeName(path).constData()), 0);
        QVERIFY(writeFileAtomically(path, "new"));
        QCOMPARE(QFileInfo(path).isSymLink(), !link.isEmpty());
        if (!link.isEmpty())
            QCOMPARE(QFileInfo(path).symLinkTarget(), file);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
        QCOMPARE(bytesOf(file), QByteArray("new"));
    }

    // Every version found changed on disk is kept under a name of its own, two in one second too.
    void otherVersionsAreKeptApart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("savedfile.qlt");
        const QDateTime now(QDate(2026, 12, 6), QTime(19, 47, 0));
        DiskVersion version;
        version.remember("ours");
        const QList<QByteArray> others = {"first other", "second other"};
        QStringList names;
        for (const QByteArray &other : others) {
            QVERIFY(writeFileAtomically(path, other));
            QString copy;
            FileError error;
            QVERIFY(version.keepOtherVersion(path, &copy, &error, now));
            names << QFileInfo(copy).fileName();
        }
        QCOMPARE(names, (QStringList{"savedfile.qlt.conflict-2026-12-06 194700",
                                     "savedfile.qlt.conflict-2026-12-06 194700 (2)"}));
        for (int i = 0; i < others.size(); ++i)
            QCOMPARE(bytesOf(dir.filePath(names[i])), others[i]);
    }

    // A disk that fails part-way: every failure is a failed save, with the system's own cause,
    // the old file as it was and no temporary file left. (A disk full midway: tst_datafile.)
    void atomicWriteFailures_data()
    {
        QTest::addColumn<int>("failAt"); // 1 sync, 2 close
        QTest::addColumn<int>("number");
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
            return ::write(fd, data, std::min<size_t>(size, 4)); // short writes are carried on
        };
        calls.sync = [&](int fd) { return failAt == 1 ? (errno = number, -1) : ::fsync(fd); };
        calls.close = [&](int fd) { return failAt == 2 ? (::close(fd), errno = number, -1) : ::close(fd); };
        FileError error;
        QVERIFY(!writeFileAtomically(path, "second, longer", &error, calls));
        QCOMPARE(error.number, number);
        QCOMPARE(error.description, QString::fromLocal8Bit(strerror(number)));
        QCOMPARE(bytesOf(path), QByteArray("first"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"});
        failAt = -1;
        QVERIFY(writeFileAtomically(path, "second, longer", &error, calls));
        QCOMPARE(bytesOf(path), QByteArray("second, longer"));
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
        // Nor copied: the copy it would have replaced stays, with no temporary file beside it.
        const QString copy = dir.filePath("copy");
        QVERIFY(writeFileAtomically(copy, "older copy"));
        QVERIFY(!copyFileAtomically(path, copy, &error));
        QVERIFY2(error.description.contains(named), qPrintable(error.description));
        QCOMPARE(bytesOf(copy), QByteArray("older copy"));
        QCOMPARE(QDir(dir.path()).entryList({"copy*"}, QDir::Files), QStringList{"copy"});
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
