// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/percentedit.h"

#include "todos/keyfilter.h"

#include <QKeyEvent>

PercentEdit::PercentEdit(QWidget *parent)
    : SelectOnFocusLineEdit(parent)
{
    setMaxLength(4);
}

void PercentEdit::showStep(int value)
{
    setText(QString::number(value) + QLatin1Char('%'));
    setSelection(0, 5);
}

void PercentEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter never types a line; it checks the value instead.
        event->accept();
        emit enterPressed();
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        event->accept();
        return;
    }
    if (!numberBoxTakesKey(event, u"%")) {
        event->accept();
        return;
    }
    SelectOnFocusLineEdit::keyPressEvent(event);
}

void PercentEdit::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up && text() != QLatin1String("100%")) {
        event->accept();
        emit stepUpRequested();
        return;
    }
    if (event->key() == Qt::Key_Down && text() != QLatin1String("0%")) {
        event->accept();
        emit stepDownRequested();
        return;
    }
    SelectOnFocusLineEdit::keyReleaseEvent(event);
}
