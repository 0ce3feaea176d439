// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/notifier.h"
#include "platform/shell.h"
#include "platform/soundplayer.h"

#include <QList>
#include <QQueue>
#include <QStringList>

/// A clock that stands still until a test moves it.
class FakeClock final : public Clock
{
public:
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceSecs(qint64 seconds) { m_now = m_now.addSecs(seconds); }
    void advanceMSecs(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now{QDate(2026, 12, 5), QTime(21, 5, 0)};
};

/// Records every sound asked for, in order: "play <path>", "to end <path>" or "stop". playToEnd
/// can run a hook (to move the clock between files).
class FakeSound final : public SoundPlayer
{
public:
    void play(const QString &path) override { calls << "play " + path; }
    void playToEnd(const QString &path) override
    {
        calls << "to end " + path;
        if (onPlayToEnd)
            onPlayToEnd(path);
    }
    void stop() override { calls << QStringLiteral("stop"); }

    QStringList calls;
    std::function<void(const QString &)> onPlayToEnd;
};

/// Records what was handed to the desktop and answers with result.
class FakeShell final : public Shell
{
public:
    Result open(const QString &text) override
    {
        opened.append(text);
        return result;
    }
    QStringList opened;
    Result result = Result::Opened;
};

/// Answers message boxes by script and records every box shown. With no scripted answer left,
/// a question takes its default button.
class FakeMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };
    Answer show(QWidget *, const QString &text, const QString &title, Buttons buttons, Icon icon) override
    {
        if (quiet())
            return quietAnswer(buttons);
        shown.append({text, title, buttons, icon});
        if (onShow)
            onShow(shown.last());
        if (!answers.isEmpty())
            return answers.dequeue();
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::No;
    }

    /// What the boxes shown said: each box's text, after its title and ": " when it has one.
    QStringList texts() const
    {
        QStringList result;
        for (const Shown &box : shown)
            result << (box.title.isEmpty() ? box.text : box.title + ": " + box.text);
        return result;
    }

    QQueue<Answer> answers;
    QList<Shown> shown;
    /// Runs when a box is shown, before it is answered.
    std::function<void(const Shown &)> onShow;
};

/// Picks files by script: the next entry of picks, or cancels when none is left.
class FakeFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override
    {
        return picks.isEmpty() ? QString() : picks.dequeue();
    }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &filter) override
    {
        filters.append(filter);
        return picks.isEmpty() ? QString() : picks.dequeue();
    }
    QString chooseFolder(QWidget *, const QString &, const QString &) override
    {
        filters.append(QString());
        return picks.isEmpty() ? QString() : picks.dequeue();
    }
    /// The answers to the dialogs, in order; an empty text cancels.
    QQueue<QString> picks;
    /// The filter each save dialog offered (empty for a folder).
    QStringList filters;
};

/// Records the notifications posted and withdrawn; a test emits showRequested itself.
class FakeNotifier final : public Notifier
{
public:
    struct Posted
    {
        QString summary;
        QString body;
        Urgency urgency;
    };
    int post(const QString &summary, const QString &body, Urgency urgency) override
    {
        posted.append({summary, body, urgency});
        return int(posted.size());
    }
    void withdraw(int notice) override { withdrawn.append(notice); }

    QList<Posted> posted; // notice n is posted[n - 1]
    QList<int> withdrawn;
};
