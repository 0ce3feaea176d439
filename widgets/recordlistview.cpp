// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/recordlistview.h"

#include "core/recordfilter.h"
#include "store/recordlistmodel.h"
#include "widgets/elidingdelegate.h"

#include <QItemSelectionModel>

namespace {

/// Draws the section's one icon beside the records that have it; the model holds none.
class RecordDelegate : public ElidingDelegate
{
public:
    RecordDelegate(QAbstractItemView *view, const QIcon &icon)
        : ElidingDelegate(view)
        , m_icon(icon)
    {
    }

    std::function<QIcon(const QModelIndex &)> iconOf;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        ElidingDelegate::initStyleOption(option, index);
        if (!m_icon.isNull() && index.data(RecordListModel::HasIconRole).toBool()) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            const QIcon own = iconOf ? iconOf(index) : QIcon();
            option->icon = own.isNull() ? m_icon : own;
            option->decorationSize = QSize(16, 16);
        }
    }

private:
    QIcon m_icon;
};

} // namespace

RecordListView::RecordListView(RecordListModel *model, const QIcon &icon, QWidget *parent)
    : QListView(parent)
    , m_model(model)
    , m_filter(new RecordFilter(model, this))
{
    setViewMode(QListView::ListMode);
    setIconSize(QSize(16, 16));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_delegate = new RecordDelegate(this, icon);
    setModel(m_filter);

    // The first record into an empty list becomes the selected one, as after loading.
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (m_model->count() == last - first + 1)
            selectRow(first);
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->count() > 0)
            selectRow(0);
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_selectingForSearch)
            m_chosen = QPersistentModelIndex(m_model->index(selectedRow()));
        emit selectedRowChanged();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RecordListView::selectedRowChanged);
}

void RecordListView::setIconOf(std::function<QIcon(const QModelIndex &)> iconOf)
{
    // The delegate sees the listed rows; the caller knows the model's.
    static_cast<RecordDelegate *>(m_delegate)->iconOf = [this, iconOf = std::move(iconOf)](const QModelIndex &index) {
        return iconOf(m_filter->mapToSource(index));
    };
    viewport()->update();
}

int RecordListView::count() const
{
    return m_model->count();
}

int RecordListView::listedCount() const
{
    return m_filter->rowCount();
}

int RecordListView::recordAt(int listedRow) const
{
    return m_filter->sourceRow(listedRow);
}

int RecordListView::listedRow(int row) const
{
    return m_filter->listedRow(row);
}

void RecordListView::setSearch(const QString &needle)
{
    if (needle == m_filter->needle())
        return;
    if (!m_filter->isFiltering())
        m_chosen = QPersistentModelIndex(m_model->index(selectedRow()));
    m_selectingForSearch = true;
    m_filter->setNeedle(needle);
    selectAfterSearch();
}

void RecordListView::selectAfterSearch()
{
    const int chosen = m_chosen.isValid() ? listedRow(m_chosen.row()) : -1;
    if (chosen >= 0)
        selectionModel()->setCurrentIndex(m_filter->index(chosen, 0), QItemSelectionModel::ClearAndSelect);
    else if (m_filter->isFiltering() && listedCount() > 0)
        selectionModel()->setCurrentIndex(m_filter->index(0, 0), QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    m_selectingForSearch = false;
    // A layout change may have hidden the selection without a word: the section looks again.
    emit selectedRowChanged();
}

int RecordListView::selectedRow() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current))
        return m_filter->mapToSource(current).row();
    const QModelIndexList highlighted = selectionModel()->selectedIndexes();
    return highlighted.isEmpty() ? -1 : m_filter->mapToSource(highlighted.first()).row();
}

int RecordListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_filter->mapToSource(current).row() : -1;
}

void RecordListView::selectRow(int row)
{
    const int listed = listedRow(row);
    if (listed < 0)
        return;
    selectionModel()->setCurrentIndex(m_filter->index(listed, 0), QItemSelectionModel::ClearAndSelect);
}

void RecordListView::editCaption(int row)
{
    if (const int listed = listedRow(row); listed >= 0)
        edit(m_filter->index(listed, 0));
}

void RecordListView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool onward = hint == QAbstractItemDelegate::EditNextItem;
    const bool back = hint == QAbstractItemDelegate::EditPreviousItem;
    QListView::closeEditor(editor, onward || back ? QAbstractItemDelegate::NoHint : hint);
    if (onward || back)
        focusNextPrevChild(onward);
}

bool RecordListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger == EditKeyPressed && !selectionModel()->isSelected(index))
        return false;
    return QListView::edit(index, trigger, event);
}
