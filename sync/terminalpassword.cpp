// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/terminalpassword.h"

#include <cstdio>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

std::optional<QString> askPasswordOnTerminal(const QString &question)
{
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0)
        return std::nullopt;
    termios before{};
    const bool canHide = ::tcgetattr(tty, &before) == 0;
    const QByteArray prompt = question.toLocal8Bit() + ' ';
    bool ok = ::write(tty, prompt.constData(), size_t(prompt.size())) == prompt.size();
    if (canHide) {
        termios hidden = before;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        ok = ok && ::tcsetattr(tty, TCSAFLUSH, &hidden) == 0;
    }
    QByteArray typed;
    char c = 0;
    while (ok && ::read(tty, &c, 1) == 1 && c != '\n')
        typed.append(c);
    if (canHide)
        ::tcsetattr(tty, TCSAFLUSH, &before);
    [[maybe_unused]] const auto newline = ::write(tty, "\n", 1);
    ::close(tty);
    if (typed.endsWith('\r'))
        typed.chop(1);
    if (typed.isEmpty())
        return std::nullopt;
    return QString::fromLocal8Bit(typed);
}
