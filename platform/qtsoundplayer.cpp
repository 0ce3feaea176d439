// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtsoundplayer.h"

#include "platform/wavinfo.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>

namespace {
const QString kDefaultSound = QStringLiteral(":/sounds/default.wav");
}

QtSoundPlayer::QtSoundPlayer(QObject *parent)
    : QObject(parent)
{
}

bool QtSoundPlayer::hasDevice()
{
    if (!m_hasDevice)
        m_hasDevice = !QMediaDevices::audioOutputs().isEmpty();
    return *m_hasDevice;
}

QSoundEffect *QtSoundPlayer::effectFor(const QString &path, int *durationMs)
{
    int duration = path.isEmpty() ? -1 : wavFileDurationMs(path);
    QUrl url;
    if (duration >= 0) {
        url = QUrl::fromLocalFile(path);
    } else {
        QFile builtIn(kDefaultSound);
        duration = builtIn.open(QIODevice::ReadOnly) ? wavDurationMs(builtIn.readAll()) : 0;
        url = QUrl(QStringLiteral("qrc") + kDefaultSound);
    }
    if (durationMs)
        *durationMs = qMax(duration, 0);
    QSoundEffect *&effect = m_effects[url];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(url);
    }
    return effect;
}

void QtSoundPlayer::play(const QString &path)
{
    if (!hasDevice())
        return;
    stop();
    m_current = effectFor(path, nullptr);
    m_current->play();
}

void QtSoundPlayer::playToEnd(const QString &path)
{
    if (!hasDevice())
        return;
    stop();
    int durationMs = 0;
    QSoundEffect *effect = effectFor(path, &durationMs);
    m_current = effect;

    // Without a working sound server playingChanged(false) never comes, so the file's own
    // length bounds the wait.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(effect, &QSoundEffect::playingChanged, &loop, [&loop, effect] {
        if (!effect->isPlaying())
            loop.quit();
    });
    deadline.start(durationMs + 150);
    effect->play();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(effect, &QSoundEffect::playingChanged, &loop, nullptr);
    effect->stop();
}

void QtSoundPlayer::stop()
{
    if (m_current)
        m_current->stop();
    m_current = nullptr;
}
