// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// "major.minor.patch", each a plain decimal number: 1, 0, 9 gives "1.0.9".
QString versionText(int major, int minor, int patch);

/// The version of this build.
QString programVersionText();
