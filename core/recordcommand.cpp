// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordcommand.h"

#include "store/recordlistmodel.h"

#include <algorithm>

RecordCommand::RecordCommand(RecordListModel *model, const QString &text, QUndoCommand *parent)
    : QUndoCommand(parent)
    , m_model(model)
{
    setText(text);
}

void RecordCommand::setShownRow(int row)
{
    m_shownRow = std::min(row, m_model->count() - 1);
}
