// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Notifier;
class QDialog;

/// Shows a reminder window above every other window of the program, without a nested event
/// loop: the caller hears the answer from the window's finished signal. A desktop notification
/// (of the to-do's priority: 0 low, 2 critical, else normal) stands beside it, can raise it, and
/// goes when the window is answered or gone. Without a notifier the window just shows.
void showWithNotice(QDialog *window, Notifier *notifier, const QString &summary, const QString &body,
                    int priority);
