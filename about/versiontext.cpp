// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/versiontext.h"

#include <version.h>

QString versionText(int major, int minor, int patch)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString programVersionText()
{
    return versionText(QUILLET_VERSION_MAJOR, QUILLET_VERSION_MINOR, QUILLET_VERSION_PATCH);
}
