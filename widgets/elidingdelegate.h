// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/captiondelegate.h"

class QAbstractItemView;

/// Draws a list's entries no wider than the list, so a long caption is cut with "…" at its end
/// rather than scrolled, and shows the whole text as a tooltip where it is cut. A caption edited
/// in place keeps the rules of CaptionDelegate.
class ElidingDelegate : public CaptionDelegate
{
    Q_OBJECT
public:
    /// Installs itself on view, which owns it.
    explicit ElidingDelegate(QAbstractItemView *view);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    QAbstractItemView *m_view;
};
