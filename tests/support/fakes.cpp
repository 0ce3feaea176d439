#include "tests/support/fakes.h"

QStringList FakeSound::paths(Call::Kind kind) const
{
    QStringList result;
    for (const Call &call : calls) {
        if (call.kind == kind)
            result.append(call.path);
    }
    return result;
}

MessageBoxes::Answer FakeMessageBoxes::show(QWidget *, const QString &text, const QString &title,
                                            Buttons buttons, Icon icon)
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
