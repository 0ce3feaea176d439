#pragma once

#include <QString>

class QListWidget;
class QListWidgetItem;

/// A section record is a list entry: caption = display text, tag text and icon key in data roles.
namespace listrecords {

constexpr int TagRole = 0x0100;     // Qt::UserRole
constexpr int IconKeyRole = 0x0101; // Qt::UserRole + 1

/// Appends an entry (iconKey "" for none). Like the original list control, the first entry added
/// to an empty list becomes the selected one.
QListWidgetItem *append(QListWidget *list, const QString &caption, const QString &iconKey,
                        const QString &tag = QString());

QString tag(const QListWidgetItem *item);
void setTag(QListWidgetItem *item, const QString &tag);
QString iconKey(const QListWidgetItem *item);

/// The highlighted entry, or none (also when the list still has a current entry).
QListWidgetItem *selected(const QListWidget *list);

} // namespace listrecords
