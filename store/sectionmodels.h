// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <array>

class RecordListModel;

/// The four sections' models, in file order.
using SectionModels = std::array<RecordListModel *, kSectionCount>;

/// What the file would hold now; the lists are shared with the models, not copied.
DataFileContent contentOf(const SectionModels &models);
/// Replaces every model's records with the file's.
void fillModels(const SectionModels &models, DataFileContent content);
