// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/captiondelegate.h"

#include <QLineEdit>

void CaptionDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    const auto *line = qobject_cast<const QLineEdit *>(editor);
    if (line && line->text().trimmed().isEmpty())
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}
