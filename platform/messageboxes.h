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
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxes() = default;
    /// An empty title shows the application's title. In YesNo questions Yes is the default button.
    virtual Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                        Icon icon) = 0;
};
