// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/consolemessageboxes.h"

#include <QTextStream>

MessageBoxes::Answer ConsoleMessageBoxes::show(QWidget *, const QString &text, const QString &title,
                                               Buttons buttons, Icon)
{
    QTextStream err(stderr);
    if (!title.isEmpty())
        err << title << ": ";
    err << text << Qt::endl;
    return quietAnswer(buttons);
}
