// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// Multi-line text as the data file stores it (CR LF line breaks) and as a text box shows it
/// ("\n"): a note's text, a website's description.
namespace storedtext {

/// The stored text as a box shows it.
QString toBox(const QString &stored);
/// A box's text as it is stored.
QString fromBox(const QString &boxText);
/// True when the box shows the stored text already; storing it again would change nothing
/// but the kind of line break, so a text that is only looked at keeps its exact bytes.
bool sameText(const QString &stored, const QString &boxText);

} // namespace storedtext
