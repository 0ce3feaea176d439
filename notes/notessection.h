// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/section.h"

class ARButton;
class NoteModel;
class QPlainTextEdit;

/// fraNotes: named free-text notes. The editor keeps no copy of its own: every change of its
/// text lands in the selected note at once.
class NotesSection : public Section
{
    Q_OBJECT
public:
    NotesSection(const Services &services, NoteModel *records, QUndoStack *history, QWidget *parent);

    void disableButtonsIfEmpty() override;
    void highlightMatches(const QString &needle) override;

    NoteModel *notes() const;

    void addNote();
    void removeSelectedNote();

protected:
    void recordsLoaded() override;
    /// The text box and the remove button follow the list and its selection.
    void refresh() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The editor changed: its text becomes the selected note's.
    void storeText();
    /// The editor shows the selected note's text.
    void showSelectedNote();
    void setEditorText(const QString &text);
    /// The editor's alignment follows the script its text begins in.
    void followScriptDirection();

    QPlainTextEdit *m_textBox = nullptr;
    ARButton *m_removeButton = nullptr;
};
