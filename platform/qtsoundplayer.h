// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/soundplayer.h"

#include <QHash>
#include <QObject>
#include <QUrl>

#include <optional>

class QSoundEffect;

/// Qt Multimedia behind SoundPlayer. Without an audio device every call returns at once.
class QtSoundPlayer final : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject *parent = nullptr);

    void play(const QString &path) override;
    void playToEnd(const QString &path) override;
    void stop() override;

private:
    /// The effect for a file, or for the built-in default sound when the file cannot be played.
    QSoundEffect *effectFor(const QString &path, int *durationMs);
    /// Asked at the first sound, not at start: the audio system costs a megabyte once woken.
    bool hasDevice();

    QHash<QUrl, QSoundEffect *> m_effects;
    QSoundEffect *m_current = nullptr;
    std::optional<bool> m_hasDevice;
};
