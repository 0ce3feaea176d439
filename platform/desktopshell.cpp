// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopshell.h"

#include "platform/shelltarget.h"

#include <QDesktopServices>

Shell::Result DesktopShell::open(const QString &text)
{
    const QUrl url = urlForShellText(text);
    if (url.isEmpty())
        return Result::NotFound;
    return QDesktopServices::openUrl(url) ? Result::Opened : Result::Failed;
}
