// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/keyfilter.h"

#include <QKeyEvent>

bool numberBoxTakesKey(const QKeyEvent *event, QStringView extras)
{
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace)
        return true;
    for (QChar c : text) {
        // Control characters come with Enter, Esc and the Ctrl shortcuts, which are no typing.
        if (c.category() == QChar::Other_Control)
            return true;
        if (!(c >= u'0' && c <= u'9') && !extras.contains(c))
            return false;
    }
    return true;
}
