// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/digitsedit.h"

#include "todos/keyfilter.h"

#include <QKeyEvent>

DigitsEdit::DigitsEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(2);
}

void DigitsEdit::keyPressEvent(QKeyEvent *event)
{
    if (!numberBoxTakesKey(event, {})) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
