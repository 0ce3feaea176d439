// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/saytime.h"

#include "platform/clocktext.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/soundplayer.h"
#include "speech/spokentime.h"

namespace {

void playAll(const Services &services, const QStringList &files)
{
    for (const QString &file : files)
        services.sound->playToEnd(services.path(file));
}

} // namespace

void sayCurrentTime(const Services &services)
{
    // Each part reads the clock when its turn comes, after the words before it have been said.
    playAll(services, {spokentime::openingFile()});
    playAll(services, spokentime::hourFiles(hour12(services.clock->now().time())));
    playAll(services, spokentime::minuteFiles(services.clock->now().time().minute()));
    playAll(services, spokentime::designatorFiles(amPm(services.clock->now().time())));
}
