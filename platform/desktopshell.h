#pragma once

#include "platform/shell.h"

#include <QUrl>

/// Decides what a text names, the way desktop shells guess: a URL with a scheme, an existing
/// file or folder, or a host name beginning "www." or "ftp.". An invalid URL comes back empty.
QUrl urlForShellText(const QString &text);

/// Opens through the desktop's handlers (xdg-open), never through a shell command line.
class DesktopShell final : public Shell
{
public:
    Result open(const QString &text) override;
};
