// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/shell.h"

/// Opens through the desktop's handlers (xdg-open), never through a shell command line.
class DesktopShell final : public Shell
{
public:
    Result open(const QString &text) override;
};
