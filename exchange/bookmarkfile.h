// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

/// Websites as the bookmark file every browser imports and exports
/// ("<!DOCTYPE NETSCAPE-Bookmark-file-1>").
namespace bookmarkfile {

/// Every link of the file, from every folder, as a website; its <DD> text is the description.
/// place: and javascript: links are skipped and counted.
ImportResult read(const QString &path, const ExchangeProgress &progress = {});

/// A bookmark file of the websites that have a URL, handed to sink a piece at a time.
void write(const QList<Record> &websites, const std::function<bool(QByteArrayView)> &sink);

/// How many of the websites write() puts in the file.
int writtenCount(const QList<Record> &websites);

} // namespace bookmarkfile
