// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/unixsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int number)
{
    // Only async-signal-safe work here: one write, errno left as it was.
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace

UnixSignals::UnixSignals(std::initializer_list<int> numbers, QObject *parent)
    : QObject(parent)
    , m_numbers(numbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        qWarning("Signals cannot be watched: %s", strerror(errno));
        return;
    }
    // A full socket must never block the handler; a signal already waiting is enough.
    ::fcntl(g_pipe[0], F_SETFL, ::fcntl(g_pipe[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_pipe[1], F_SETFL, ::fcntl(g_pipe[1], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignals::readPending);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : numbers)
        ::sigaction(number, &action, nullptr);
}

UnixSignals::~UnixSignals()
{
    // Later signals end the program the default way rather than write into a closed socket.
    for (const int number : m_numbers)
        std::signal(number, SIG_DFL);
    if (g_pipe[0] >= 0) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
}

void UnixSignals::readPending()
{
    // Told from the event loop, not from inside the socket's own notification: a reply that
    // runs a nested loop (a box the closing save shows) must still hear the next signal, and
    // the socket is not watched again until its notification has returned.
    char byte = 0;
    while (::read(g_pipe[1], &byte, 1) == 1) {
        const int number = byte;
        QMetaObject::invokeMethod(this, [this, number] { emit received(number); }, Qt::QueuedConnection);
    }
}
