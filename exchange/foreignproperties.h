// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QByteArray>

/// What other programs keep in a to-do or a card that Quillet has no field for (a phone number,
/// a photo, a due date, categories): carried into Quillet's version of the item, so that writing
/// it back to a server loses none of it.
namespace foreignproperties {

/// ours (one VTODO in a calendar, or one vCard, as Quillet writes it) with every property of
/// theirs (the same item as another program last wrote it) that Quillet does not map. The
/// properties Quillet maps are ours alone, even where ours leaves one out (a description
/// cleared here). ours as it is where theirs cannot be read.
QByteArray carried(SectionId section, const QByteArray &ours, const QByteArray &theirs);

} // namespace foreignproperties
