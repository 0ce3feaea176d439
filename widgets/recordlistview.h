// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QListView>
#include <QStyledItemDelegate>

#include <functional>

class RecordListModel;

/// A section's list: one line per record, the caption cut with "…" where it is too long, the
/// section's icon drawn beside every record that has one, captions edited in place.
class RecordListView : public QListView
{
    Q_OBJECT
public:
    RecordListView(RecordListModel *model, const QIcon &icon, QWidget *parent);

    RecordListModel *records() const { return m_model; }
    int count() const;

    /// The highlighted record's row, or -1. A click on the empty space below the records takes
    /// the highlight away but leaves a current row: only a highlighted record is acted on.
    int selectedRow() const;
    /// Makes row the current, highlighted record.
    void selectRow(int row);
    /// Draws iconOf(index) in place of the section's icon where it gives one (a mark on some
    /// records); asked only for the records on screen.
    void setIconOf(std::function<QIcon(const QModelIndex &)> iconOf);
    /// Opens the in-place editor of row's caption.
    void editCaption(int row);
    using QListView::edit;

protected:
    /// Tab or Backtab in the caption editor commits it and moves on to the next control, never
    /// into the next entry's caption.
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    /// F2 renames only a highlighted record.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

signals:
    /// The highlighted record changed, by click, key, program or a click on empty space.
    void selectedRowChanged();

private:
    RecordListModel *m_model;
    QStyledItemDelegate *m_delegate = nullptr;
};
