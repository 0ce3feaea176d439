// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordedits.h"
#include "platform/services.h"
#include "store/datafile.h"

#include <QGroupBox>
#include <QList>

class ARButton;
class QUndoStack;
class RecordListModel;
class RecordListView;

/// One of the four section frames of the main window: its list of records on the left, its
/// editor on the right. Subclasses own their controls, events and Read/Put procedures.
class Section : public QGroupBox
{
    Q_OBJECT
public:
    /// objectName is the frame's control name ("fraNotes"), listName the list's ("lstNotes");
    /// model holds the section's records and belongs to the document, as does history, where
    /// the user's changes to the records go to be undone.
    Section(const Services &services, const QString &objectName, const QString &caption,
            const QString &listName, const QString &iconKey, RecordListModel *model,
            QUndoStack *history, QWidget *parent);

    RecordListView *list() const { return m_list; }
    /// The section's records; the document fills it at start and reads it at every save.
    RecordListModel *model() const { return m_model; }

    /// The section was chosen while its list is empty: disable what needs a record.
    virtual void disableButtonsIfEmpty() = 0;
    /// After an undo or redo: row (none when -1) becomes the selected record, and the editor
    /// and buttons follow the list.
    void showRecord(int row);

    /// Marks the searched words (folded) in the shown record's longer texts; an empty needle
    /// takes the marks away.
    virtual void highlightMatches(const QString &needle) { Q_UNUSED(needle) }

signals:
    /// Something was typed into a box of the section that the model may not hold yet.
    void typed();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// The model was filled from the data file with at least one record: the editor becomes
    /// visible and shows the first record.
    virtual void recordsLoaded() = 0;
    /// Brings the editor and the buttons up to date with the list and its selection.
    virtual void refresh() = 0;

    /// The undoable changes to the section's records.
    RecordEdits &edits() { return m_edits; }

    /// Ends an in-place caption edit of the selected entry, keeping the typed caption.
    void commitCaptionEdit();

    /// Asks the question (Yes and No, under "Confirm") about the selected record and removes it
    /// on Yes; the record that takes its place becomes the selected one. False when no record
    /// was selected, so nothing was asked.
    bool removeSelectedRecord(QWidget *questionParent, const QString &question);

    /// Typing in these boxes (line edits, text boxes, drop-down lists) counts as a change before
    /// the box is left, so the recovery copy holds it too.
    void reportTypingIn(const QList<QWidget *> &boxes);

    ARButton *addArButton(const QString &name, const QPoint &position, const QString &picture,
                          const QString &toolTip, bool hasDisabledPicture);

    const Services &m_services;

private:
    RecordListModel *m_model = nullptr;
    RecordEdits m_edits;
    RecordListView *m_list = nullptr;
    bool m_listReachedByKey = false;
};
