// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// The text a search looks through for a record of each section: its caption and every field
/// the user typed, unescaped, as the editor shows them, joined by textfold::kFieldBreak so that
/// a match never runs from one field into the next.
namespace searchtext {

QString website(const QString &caption, const QString &tag);
/// Names, title and addresses; the default marker is the program's, not the user's, text.
QString contact(const QString &caption, const QString &tag);
QString note(const QString &caption, const QString &tag);
QString todo(const QString &caption, const QString &tag);

} // namespace searchtext
