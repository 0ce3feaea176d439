// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

/// Playing time of a PCM WAV held in memory, from its header; -1 when it is no WAV we can play.
int wavDurationMs(const QByteArray &bytes);

/// Same for a file; -1 when it is missing, unreadable or no playable WAV.
int wavFileDurationMs(const QString &path);
