// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordedits.h"

#include "core/addrecordcommand.h"
#include "core/changerecordcommand.h"
#include "core/removerecordcommand.h"
#include "store/recordlistmodel.h"

#include <QUndoStack>

#include <memory>

RecordEdits::RecordEdits(RecordListModel *model, QUndoStack *history)
    : m_model(model)
    , m_history(history)
{
}

int RecordEdits::add(const QString &caption)
{
    const int row = m_model->count();
    endNaming();
    m_naming = std::make_shared<bool>(true);
    m_history->push(new AddRecordCommand(m_model, row, {caption, QString()}, m_naming));
    return row;
}

void RecordEdits::endNaming()
{
    if (m_naming)
        *m_naming = false;
    m_naming.reset();
}

void RecordEdits::remove(int row, const QString &text)
{
    if (row >= 0 && row < m_model->count())
        m_history->push(new RemoveRecordCommand(m_model, row, text));
}

bool RecordEdits::change(int row, const QString &text, const std::function<bool()> &change)
{
    if (row < 0 || row >= m_model->count())
        return false;
    const Record before = m_model->record(row);
    if (!change())
        return false;
    const Record after = m_model->record(row);
    if (after == before)
        return true;
    auto *step = new ChangeRecordCommand(m_model, row, before, after, text, m_group);
    if (!m_group)
        m_history->push(step);
    return true;
}

void RecordEdits::step(const std::function<QUndoCommand *(QUndoCommand *group)> &make)
{
    // Within a group it is done when the group is kept, with the group's other steps.
    QUndoCommand *made = make(m_group);
    if (!m_group)
        m_history->push(made);
}

void RecordEdits::together(const QString &text, const std::function<void()> &steps)
{
    auto group = std::make_unique<QUndoCommand>(text);
    m_group = group.get();
    steps();
    m_group = nullptr;
    if (group->childCount() > 0)
        m_history->push(group.release());
}
