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
    return list->currentItem();
}

} // namespace listrecords
