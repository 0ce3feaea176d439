// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtmessageboxes.h"

#include "platform/apptitle.h"

#include <QMessageBox>
#include <QTextStream>

namespace {

/// A box closed by the program's end was never read: its words go to the error output (the
/// session's log) rather than nowhere.
MessageBoxes::Answer dismissed(const QString &title, const QString &text)
{
    QTextStream(stderr) << title << ": " << text << Qt::endl;
    return MessageBoxes::Answer::Dismissed;
}

} // namespace

MessageBoxes::Answer QtMessageBoxes::show(QWidget *parent, const QString &text, const QString &title,
                                          Buttons buttons, Icon icon)
{
    if (quiet())
        return quietAnswer(buttons);
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? appTitle() : title);
    box.setText(text);
    switch (icon) {
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    if (buttons != Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        // A button (or Esc, or the window's close box) gives Yes or No; reject() gives neither.
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return dismissed(box.windowTitle(), text);
        }
    }
    box.setStandardButtons(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : dismissed(box.windowTitle(), text);
}
