// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "platform/soundplayer.h"

/// Services that do nothing and answer OK, so a benchmark never waits for a person.
class SilentServices final : public SoundPlayer, public Shell, public MessageBoxes, public FileDialogs
{
public:
    void play(const QString &) override {}
    void playToEnd(const QString &) override {}
    void stop() override {}
    Result open(const QString &) override { return Result::Opened; }
    Answer show(QWidget *, const QString &, const QString &, Buttons, Icon) override { return Answer::Ok; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
};
