// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QListView>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

#include <functional>

class RecordFilter;
class RecordListModel;

/// A section's list: one line per record, the caption cut with "…" where it is too long, the
/// section's icon drawn beside every record that has one, captions edited in place. A search
/// lists only the matching records; rows in and out are always the model's, listed or not.
class RecordListView : public QListView
{
    Q_OBJECT
public:
    RecordListView(RecordListModel *model, const QIcon &icon, QWidget *parent);

    RecordListModel *records() const { return m_model; }
    RecordFilter *filter() const { return m_filter; }
    /// Every record, listed or not.
    int count() const;
    /// The records the search lists.
    int listedCount() const;
    /// The model's row of the listed row, -1 for none.
    int recordAt(int listedRow) const;
    /// The listed row of a record, -1 when the search hides it.
    int listedRow(int row) const;

    /// Lists the records whose folded text holds needle (textfold::needle), or all when it is
    /// empty. The first match is selected while the chosen record is hidden; when the search
    /// ends, the record chosen before it, or during it, is selected again.
    void setSearch(const QString &needle);

    /// The highlighted record's row, or -1. A click on the empty space below the records takes
    /// the highlight away but leaves a current row: only a highlighted record is acted on.
    int selectedRow() const;
    /// The current record's row (highlighted or not), or -1.
    int currentRow() const;
    /// Makes row the current, highlighted record; nothing while the search hides it.
    void selectRow(int row);
    /// Draws iconOf(index) in place of the section's icon where it gives one (a mark on some
    /// records); asked only for the records on screen, with the model's index.
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
    /// Selects the chosen record if listed, else the first listed one, else none.
    void selectAfterSearch();

    RecordListModel *m_model;
    RecordFilter *m_filter;
    /// The record the user chose, kept while the search hides it.
    QPersistentModelIndex m_chosen;
    bool m_selectingForSearch = false;
    QStyledItemDelegate *m_delegate = nullptr;
};
