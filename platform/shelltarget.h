// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

/// What a text handed to the desktop names: a URL with a scheme; a bare domain such as
/// "example.org/path" (a dot in the host, no blank), which opens as https; a host beginning
/// "ftp.", which opens as ftp; or an existing file or folder given by its full path. Anything
/// else (plain words, a missing file, "localhost") comes back empty.
QUrl urlForShellText(const QString &text);

/// True for web and mail addresses (http, https, ftp, mailto), which may be opened without asking:
/// anything else the desktop may run, so the user is asked first.
bool opensWithoutAsking(const QUrl &url);
