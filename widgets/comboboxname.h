// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QComboBox;

/// Names a drop-down list for screen readers by what it chooses ("Status"), its entry being
/// its value. The widgets' own interface on this desktop names a list by the entry it shows.
void nameComboBox(QComboBox *combo, const QString &name);
