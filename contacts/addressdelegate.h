// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/elidingdelegate.h"

/// Draws the address list: an entry too long for the list is cut in the middle of its address,
/// so the default marker after it always shows whole.
class AddressDelegate : public ElidingDelegate
{
    Q_OBJECT
public:
    using ElidingDelegate::ElidingDelegate;

    /// The text the list draws for an entry at its present width, before the style cuts it.
    QString shownText(const QAbstractItemView *view, const QModelIndex &index) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
