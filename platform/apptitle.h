// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// The application's title, shown by boxes without a title of their own.
inline QString appTitle()
{
    return QStringLiteral("Quillet");
}
