// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/selectonfocuslineedit.h"

#include <QPointer>
#include <QTimer>

SelectOnFocusLineEdit::SelectOnFocusLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void SelectOnFocusLineEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    QPointer<SelectOnFocusLineEdit> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->hasFocus()) {
            self->home(false);
            self->end(true);
        }
    });
}
