// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verbs.h"

class Document;

/// The command line's --import FILE and --export FILE: the formats of other programs, one
/// line on standard output saying what was done.
namespace exchangeverbs {

/// Adds --import and --export to the verbs' table; once, before the command line is read.
void add();

/// Brings the file's records into the document: loaded, merged and saved here when the document
/// is not open yet; merged into an open one (a window's), which saves them as any change.
/// Nothing is imported, and the data file is left as it is, when anything is wrong.
verbs::Result importInto(Document &document, const QString &path);

/// Writes the section that path's extension names, from the data file as saved; reads it
/// without the lock and never writes beside it.
verbs::Result exportFrom(const QString &dataPath, const QString &path);

} // namespace exchangeverbs
