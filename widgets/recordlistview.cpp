// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/recordlistview.h"

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
{
    setViewMode(QListView::ListMode);
    setIconSize(QSize(16, 16));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_delegate = new RecordDelegate(this, icon);
    setModel(model);

    // The first record into an empty list becomes the selected one, as after loading.
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (m_model->count() == last - first + 1)
            selectRow(first);
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->count() > 0)
            selectRow(0);
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecordListView::selectedRowChanged);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RecordListView::selectedRowChanged);
}

void RecordListView::setIconOf(std::function<QIcon(const QModelIndex &)> iconOf)
{
    static_cast<RecordDelegate *>(m_delegate)->iconOf = std::move(iconOf);
    viewport()->update();
}

int RecordListView::count() const
{
    return m_model->count();
}

int RecordListView::selectedRow() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current))
        return current.row();
    const QModelIndexList highlighted = selectionModel()->selectedIndexes();
    return highlighted.isEmpty() ? -1 : highlighted.first().row();
}

void RecordListView::selectRow(int row)
{
    if (row < 0 || row >= m_model->count())
        return;
    selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
}

void RecordListView::editCaption(int row)
{
    if (row >= 0 && row < m_model->count())
        edit(m_model->index(row));
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
