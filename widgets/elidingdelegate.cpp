// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/elidingdelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

ElidingDelegate::ElidingDelegate(QAbstractItemView *view)
    : CaptionDelegate(view)
    , m_view(view)
{
    view->setItemDelegate(this);
    view->setTextElideMode(Qt::ElideRight);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize ElidingDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(qMin(size.width(), m_view->viewport()->width()));
    return size;
}

bool ElidingDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return CaptionDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = view;
    const QRect textRect = view->style()->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QString text = index.data(Qt::DisplayRole).toString();
    // Only a cut text needs it: the tooltip then says what the "…" hides.
    if (item.fontMetrics.horizontalAdvance(text) > textRect.width() - 4)
        QToolTip::showText(event->globalPos(), text, view);
    else
        QToolTip::hideText();
    return true;
}
