// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

/// The one source of "now" for the whole program, so tests can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    /// Local date and time, to the millisecond.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
