// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

/// Every report and question to the user goes through here, so tests can answer by script.
class MessageBoxes
{
public:
    /// YesNoDefaultNo: a question where Enter must not act, as before opening something risky.
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };
    enum class Icon { Question, Exclamation, Critical, Information };
    /// Dismissed: the box was closed without an answer, by the program ending (a signal, the
    /// end of the desktop session); a question is then left undecided, not answered No.
    enum class Answer { Ok, Yes, No, Dismissed };

    /// While one lives, no box is shown: show() answers Ok or No at once. For work done behind
    /// the user's back (the background copy of what is typed), which must never interrupt them.
    class Quiet
    {
    public:
        Quiet() { ++s_quiet; }
        ~Quiet() { --s_quiet; }
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;
    };
    static bool quiet() { return s_quiet > 0; }
    static Answer quietAnswer(Buttons buttons) { return buttons == Buttons::Ok ? Answer::Ok : Answer::No; }

    virtual ~MessageBoxes() = default;
    /// An empty title shows the application's title. In YesNo questions Yes is the default button.
    virtual Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                        Icon icon) = 0;

private:
    static inline int s_quiet = 0;
};
