// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/addressdelegate.h"

#include "core/addresslist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyle>

void AddressDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    ElidingDelegate::initStyleOption(option, index);
    if (option->rect.isEmpty() || !addresslist::hasMarker(option->text))
        return;
    const QStyle *style = option->widget ? option->widget->style() : QApplication::style();
    // The style draws the text inside its focus margins, and a pixel short of them.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, option, option->widget).width() - 2 * margin - 1;
    if (option->fontMetrics.horizontalAdvance(option->text) <= room)
        return;
    const QString marker = addresslist::defaultMarker();
    const int addressRoom = qMax(0, room - option->fontMetrics.horizontalAdvance(marker));
    option->text = option->fontMetrics.elidedText(addresslist::withoutMarker(option->text), Qt::ElideMiddle, addressRoom)
        + marker;
}

QString AddressDelegate::shownText(const QAbstractItemView *view, const QModelIndex &index) const
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.widget = view;
    option.rect = view->visualRect(index);
    initStyleOption(&option, index);
    return option.text;
}
