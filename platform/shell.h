// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Hands a URL, an address or a file to the desktop.
class Shell
{
public:
    enum class Result { Opened, NotFound, Failed };
    virtual ~Shell() = default;
    virtual Result open(const QString &text) = 0;
};
