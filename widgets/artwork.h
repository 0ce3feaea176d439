#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

/// A picture built into the program, by name ("web_h", "arb_add").
QPixmap artwork(const QString &name);

/// The small list icon of a record's icon key ("Web", "Email", "Note", "Todo"); none for "".
QIcon recordIcon(const QString &iconKey);
