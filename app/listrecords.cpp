#include "app/listrecords.h"

#include "widgets/artwork.h"

#include <QListWidget>

namespace listrecords {

QListWidgetItem *append(QListWidget *list, const QString &caption, const QString &iconKey,
                        const QString &tag)
{
    auto *item = new QListWidgetItem(recordIcon(iconKey), caption);
    item->setData(TagRole, tag);
    item->setData(IconKeyRole, iconKey);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    const bool wasEmpty = list->count() == 0;
    list->addItem(item);
    if (wasEmpty)
        list->setCurrentItem(item);
    return item;
}

QString tag(const QListWidgetItem *item)
{
    return item ? item->data(TagRole).toString() : QString();
}

void setTag(QListWidgetItem *item, const QString &tag)
{
    if (item)
        item->setData(TagRole, tag);
}

QString iconKey(const QListWidgetItem *item)
{
    return item ? item->data(IconKeyRole).toString() : QString();
}

QListWidgetItem *selected(const QListWidget *list)
{
    // A click on the empty space below the entries takes the highlight away but leaves the
    // current entry: only a highlighted entry is the one the user acts on.
    QListWidgetItem *current = list->currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QListWidgetItem *> highlighted = list->selectedItems();
    return highlighted.isEmpty() ? nullptr : highlighted.first();
}

} // namespace listrecords
