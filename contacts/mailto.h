// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// The "mailto:" text handed to the desktop for an address: one URL, with every character that
/// a mailto URL cannot carry as itself (blank, "?", "&", "%", ",", non-ASCII ...) percent-encoded.
/// A plain address passes unchanged.
QString mailtoText(const QString &address);
