#pragma once

#include <QString>

class Notifier;
class QDialog;

/// Shows a reminder window modally with a desktop notification beside it (of the to-do's
/// priority: 0 low, 2 critical, else normal) that can raise it; the notification goes when the
/// window does. Without a notifier the window just shows.
void execWithNotice(QDialog &window, Notifier *notifier, const QString &summary, const QString &body,
                    int priority);
