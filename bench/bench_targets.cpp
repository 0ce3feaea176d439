// SPDX-License-Identifier: GPL-3.0-or-later
// The program's costs side by side with their yardsticks, in one run, each with its target:
//   start-up until the 600 x 400 window is mapped, with the largest file and with none, against
//     a minimal frameless 600 x 400 Qt window (bench_minimalwindow), cold and warm;
//   peak memory (VmHWM) of both;
//   the window blocked by a save against a bare write and fsync of the same bytes;
//   the first load of the file in a fresh process against a bare Windows-1252 decode of it.
// Needs an X display: bench/run-targets.sh starts Xvfb, openbox and a session bus for it.
// Start-up is watched from outside: the X server reports each window mapped, nothing is polled.
#include "app/mainwindow.h"
#include "bench/benchdata.h"
#include "bench/silentservices.h"
#include "core/document.h"
#include "platform/ansitext.h"
#include "platform/clock.h"
#include "platform/textfile.h"
#include "store/datastore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char **environ;

namespace {

double nowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- child modes: each runs in a fresh process and prints its figure in ms ----

int timeLoad(const char *folder)
{
    const double start = nowMs();
    DataStore store(QString::fromLocal8Bit(folder));
    const DataStore::LoadResult loaded = store.load();
    const double took = nowMs() - start;
    qsizetype records = 0;
    for (const auto &section : loaded.content.sections)
        records += section.size();
    std::printf("%.2f %lld\n", took, static_cast<long long>(records));
    return 0;
}

int timeDecode(const char *file)
{
    const double start = nowMs();
    QByteArray bytes;
    readWholeFile(QString::fromLocal8Bit(file), &bytes);
    const QString text = ansi::decode(bytes);
    const double took = nowMs() - start;
    std::printf("%.2f %lld\n", took, static_cast<long long>(text.size()));
    return 0;
}

/// A bare write of the bytes and an fsync, to a file beside the data file.
double bareWriteAndSync(const QString &path, const QByteArray &bytes)
{
    const double start = nowMs();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0)
        std::perror("bare write");
    ::close(fd);
    const double took = nowMs() - start;
    ::unlink(QFile::encodeName(path).constData());
    return took;
}

/// The window over the largest file saves, in turn with a bare write and sync of the same bytes.
int timeSaves(int argc, char *argv[], const char *folder, int rounds)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentServices silent;
    SystemClock clock;
    const QString dir = QString::fromLocal8Bit(folder);
    const Services services {&clock, &silent, &silent, &silent, &silent, dir, dir};
    Document document(services);
    MainWindow window(services, &document);
    window.load();
    QByteArray bytes;
    readWholeFile(dir + QStringLiteral("/savedfile.qlt"), &bytes);
    // The store's own part, the file work, on a copy of the folder.
    QTemporaryDir other;
    writeFileAtomically(other.filePath(QStringLiteral("savedfile.qlt")), bytes);
    DataStore store(other.path());
    const DataFileContent content = store.load().content;
    std::vector<double> bare, saves, stores;
    for (int i = 0; i < rounds; ++i) {
        bare.push_back(bareWriteAndSync(dir + QStringLiteral("/bare.bin"), bytes));
        double start = nowMs();
        document.save();
        saves.push_back(nowMs() - start);
        start = nowMs();
        FileError error;
        store.save(content, &error);
        stores.push_back(nowMs() - start);
    }
    std::printf("%.2f %.2f %.2f\n", median(saves), median(bare), median(stores));
    return 0;
}

// ---- the driver ----

std::string runAndRead(const std::string &command)
{
    std::string out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

/// Evicts files from the page cache, as after a reboot; pages another process maps stay.
void evict(const std::set<std::string> &files)
{
    for (const std::string &file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            fdatasync(fd);
            posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    }
}

/// Files a running process maps: its executable, libraries, plugins and fonts.
std::set<std::string> mappedFiles(pid_t pid)
{
    std::set<std::string> files;
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find(" /");
        if (slash != std::string::npos && line.find("(deleted)") == std::string::npos)
            files.insert(line.substr(slash + 1));
    }
    return files;
}

double peakMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

/// Tells when a 600 x 400 window of a given process becomes viewable, from the X server's own
/// reports of windows created and mapped (with or without a window manager's frame).
class MapWatch
{
public:
    MapWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection)) {
            std::fprintf(stderr, "No X display: run bench/run-targets.sh, or set DISPLAY.\n");
            std::exit(2);
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        xcb_intern_atom_reply_t *atom =
            xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, sizeof name - 1, name), nullptr);
        m_pidAtom = atom ? atom->atom : XCB_NONE;
        std::free(atom);
        xcb_flush(m_connection);
    }
    ~MapWatch() { xcb_disconnect(m_connection); }

    /// Forgets what happened before a new start.
    void reset()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
        m_created.clear();
    }

    /// The moment the window became viewable, or a negative number after timeoutMs.
    double waitForWindow(pid_t pid, double timeoutMs)
    {
        const double deadline = nowMs() + timeoutMs;
        for (;;) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
            if (!event) {
                const double left = deadline - nowMs();
                if (left <= 0)
                    return -1;
                pollfd fd {xcb_get_file_descriptor(m_connection), POLLIN, 0};
                poll(&fd, 1, int(left) + 1);
                continue;
            }
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                m_created.push_back(created->window);
                // Its own map is reported once a window manager has moved it into a frame.
                const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(m_connection, created->window, XCB_CW_EVENT_MASK, &mask);
                xcb_flush(m_connection);
            }
            std::free(event);
            if (type == XCB_MAP_NOTIFY && viewable(pid))
                return nowMs();
        }
    }

private:
    bool viewable(pid_t pid)
    {
        for (const xcb_window_t window : m_created) {
            auto attributes = xcb_get_window_attributes(m_connection, window);
            auto geometry = xcb_get_geometry(m_connection, window);
            auto owner = xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1);
            xcb_get_window_attributes_reply_t *a = xcb_get_window_attributes_reply(m_connection, attributes, nullptr);
            xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(m_connection, geometry, nullptr);
            xcb_get_property_reply_t *p = xcb_get_property_reply(m_connection, owner, nullptr);
            const bool found = a && g && p && a->map_state == XCB_MAP_STATE_VIEWABLE && g->width == 600
                && g->height == 400 && xcb_get_property_value_length(p) == 4
                && *static_cast<uint32_t *>(xcb_get_property_value(p)) == uint32_t(pid);
            std::free(a);
            std::free(g);
            std::free(p);
            if (found)
                return true;
        }
        return false;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_pidAtom = XCB_NONE;
    std::vector<xcb_window_t> m_created;
};

struct Program
{
    const char *label;
    std::vector<std::string> arguments;
    std::string dataFolder; // emptied after each run but for the data file
    std::set<std::string> files;
    std::vector<double> cold, warm, peak;
};

/// Launches the program, times it until its window is mapped, notes its peak memory once it has
/// settled, and ends it.
void startOnce(MapWatch &watch, Program &program, bool cold)
{
    if (cold)
        evict(program.files);
    watch.reset();
    std::vector<char *> argv;
    for (std::string &argument : program.arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const double start = nowMs();
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    const double mapped = watch.waitForWindow(pid, 30000);
    if (mapped < 0)
        std::fprintf(stderr, "%s: no window within 30 s\n", program.label);
    usleep(500 * 1000); // what the program does right after showing counts for its peak too
    (cold ? program.cold : program.warm).push_back(mapped - start);
    program.peak.push_back(peakMiB(pid));
    const std::set<std::string> files = mappedFiles(pid);
    program.files.insert(files.begin(), files.end());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (!program.dataFolder.empty()) {
        // A killed run leaves its lock; nothing else it may have written stays either.
        QDir folder(QString::fromStdString(program.dataFolder));
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
            if (name != QStringLiteral("savedfile.qlt"))
                folder.remove(name);
    }
}

void line(const char *what, double value, const char *unit, const char *yardstick, double target,
          const char *targetText)
{
    std::printf("  %-44s %8.1f %-3s %-34s %6.2fx  (target %s)\n", what, value, unit, yardstick, value / target,
                targetText);
}

} // namespace

int main(int argc, char *argv[])
{
    const char *self = argv[0];
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
        return timeLoad(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--decode") == 0)
        return timeDecode(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--saves") == 0)
        return timeSaves(argc, argv, argv[2], std::atoi(argv[3]));

    const int warmRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int coldRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int perSection = 32767;

    QTemporaryDir withFile, withoutFile;
    const QString dataFile = withFile.filePath(QStringLiteral("savedfile.qlt"));
    const QByteArray bytes = serializeDataFile(benchContent(perSection));
    writeFileAtomically(dataFile, bytes);
    const double fileMiB = bytes.size() / 1048576.0;
    std::printf("Quillet side by side with its yardsticks: %d records in each of 4 sections, a %.1f MiB file\n"
                "(%d warm runs and %d cold ones of each program, medians; cold: the data file and every file the\n"
                "program maps evicted from the page cache with posix_fadvise(DONTNEED) just before the run)\n\n",
                perSection, fileMiB, warmRuns, coldRuns);
    std::fflush(stdout);

    const std::string quillet = QUILLET_EXECUTABLE;
    Program minimal {"minimal window", {MINIMAL_WINDOW_EXECUTABLE}, {}, {}, {}, {}, {}};
    Program largest {"largest file", {quillet, "--data-dir", withFile.path().toStdString()},
                     withFile.path().toStdString(), {dataFile.toStdString()}, {}, {}, {}};
    Program empty {"no file", {quillet, "--data-dir", withoutFile.path().toStdString()},
                   withoutFile.path().toStdString(), {}, {}, {}, {}};
    MapWatch watch;
    std::vector<Program *> programs {&minimal, &empty, &largest};
    for (Program *program : programs) { // learns which files each program maps
        startOnce(watch, *program, false);
        program->warm.clear();
        program->peak.clear();
    }
    for (int i = 0; i < coldRuns; ++i)
        for (Program *program : programs)
            startOnce(watch, *program, true);
    for (int i = 0; i < warmRuns; ++i)
        for (Program *program : programs)
            startOnce(watch, *program, false);

    std::vector<double> loads, decodes;
    const std::string folder = withFile.path().toStdString();
    for (int i = 0; i < warmRuns; ++i) {
        loads.push_back(std::stod(runAndRead(std::string(self) + " --load " + folder)));
        decodes.push_back(std::stod(runAndRead(std::string(self) + " --decode " + dataFile.toStdString())));
    }
    const std::string saves = runAndRead(std::string(self) + " --saves " + folder + " " + std::to_string(warmRuns));
    double save = 0, bare = 0, store = 0;
    std::sscanf(saves.c_str(), "%lf %lf %lf", &save, &bare, &store);

    char yard[128];
    for (const bool cold : {true, false}) {
        auto of = [cold](const Program &p) { return median(cold ? p.cold : p.warm); };
        std::printf("Start-up until the window is mapped, %s:\n", cold ? "cold" : "warm");
        std::printf("  %-44s %8.1f ms\n", "minimal frameless 600 x 400 window", of(minimal));
        std::snprintf(yard, sizeof yard, "vs minimal %.1f ms", of(minimal));
        line("Quillet, largest file", of(largest), "ms", yard, of(minimal), "<= 4x");
        std::printf("  %-44s %8s    %-34s %6.2fx\n", "  (the same against minimal + 100 ms splash)", "", "",
                    of(largest) / (of(minimal) + 100));
        std::snprintf(yard, sizeof yard, "vs minimal + 100 ms splash %.1f ms", of(minimal) + 100);
        line("Quillet, no file", of(empty), "ms", yard, of(minimal) + 100, "<= 1.3x");
    }
    std::printf("Peak memory (VmHWM, warm runs):\n");
    std::printf("  %-44s %8.1f MiB\n", "minimal window", median(minimal.peak));
    std::printf("  %-44s %8.1f MiB\n", "Quillet, no file", median(empty.peak));
    std::snprintf(yard, sizeof yard, "vs minimal + 3 x file %.1f MiB", median(minimal.peak) + 3 * fileMiB);
    line("Quillet, largest file", median(largest.peak), "MiB", yard, median(minimal.peak) + 3 * fileMiB, "<= 1x");
    std::printf("Save and load of the largest file (fresh processes, medians of %d):\n", warmRuns);
    std::snprintf(yard, sizeof yard, "vs bare write + fsync %.1f ms", bare);
    line("save: the window blocked", save, "ms", yard, bare, "<= 2x");
    line("  of which the file's part (DataStore::save)", store, "ms", yard, bare, "<= 2x");
    std::snprintf(yard, sizeof yard, "vs bare read + decode %.1f ms", median(decodes));
    line("first load: file to records", median(loads), "ms", yard, median(decodes), "<= 10x");
    return 0;
}
