// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/collectionsync.h"

#include <QString>

/// One line of what a sync changed: "2 to-dos received, 1 contact sent"; "Nothing changed".
QString syncSummary(const SyncCounts &todos, const SyncCounts &contacts);
