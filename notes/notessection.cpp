// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/notessection.h"

#include "core/notemodel.h"
#include "platform/messageboxes.h"
#include "store/storedtext.h"
#include "widgets/arbutton.h"
#include "widgets/boxtext.h"
#include "widgets/matchhighlight.h"
#include "widgets/recordlistview.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextOption>

namespace {

const QString kNewNote = QStringLiteral("New Note");

} // namespace

NotesSection::NotesSection(const Services &services, NoteModel *records, QUndoStack *history,
                           QWidget *parent)
    : Section(services, QStringLiteral("fraNotes"), QStringLiteral("My Notes"),
              QStringLiteral("lstNotes"), QStringLiteral("Note"), records, history, parent)
{
    ARButton *add = addArButton(QStringLiteral("arbNotesAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new Note"), false);
    m_removeButton = addArButton(QStringLiteral("arbNotesRemove"), {35, 264},
                           QStringLiteral("arb_remove"), QStringLiteral("Remove selected Note"), true);
    add->setAccessibleName(QStringLiteral("Add note"));
    m_removeButton->setAccessibleName(QStringLiteral("Remove note"));

    m_textBox = new QPlainTextEdit(this);
    m_textBox->setObjectName(QStringLiteral("txtNotes"));
    m_textBox->setAccessibleName(QStringLiteral("Note text"));
    // A click lands on the box's inner area first; a screen reader told of it hears the name too.
    m_textBox->viewport()->setAccessibleName(QStringLiteral("Note text"));
    m_textBox->setGeometry(171, 16, 241, 286);
    reportTypingIn({m_textBox});
    m_textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_textBox->setTabChangesFocus(true);
    m_textBox->hide();

    connect(add, &ARButton::clicked, this, &NotesSection::addNote);
    connect(m_removeButton, &ARButton::clicked, this, &NotesSection::removeSelectedNote);
    connect(m_textBox, &QPlainTextEdit::textChanged, this, &NotesSection::storeText);
    connect(m_textBox, &QPlainTextEdit::textChanged, this, &NotesSection::followScriptDirection);
    // A click, moving with the keys, and a click on the empty space below the notes (which
    // leaves none selected) all show what became selected.
    connect(list(), &RecordListView::selectedRowChanged, this, &NotesSection::showSelectedNote);
    connect(list(), &RecordListView::clicked, this, &NotesSection::showSelectedNote);
    list()->installEventFilter(this);
}

NoteModel *NotesSection::notes() const
{
    return static_cast<NoteModel *>(model());
}

void NotesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        m_removeButton->setEnabled(false);
}

void NotesSection::highlightMatches(const QString &needle)
{
    matchhighlight::highlight(m_textBox, needle);
}

void NotesSection::addNote()
{
    RecordListView *view = list();
    const int row = edits().add(kNewNote);
    view->setFocus();
    view->selectRow(row);
    view->editCaption(row);
    m_textBox->show();
    setEditorText(notes()->record(row).text);
    m_removeButton->setEnabled(true);
}

void NotesSection::removeSelectedNote()
{
    if (!removeSelectedRecord(window(), QStringLiteral("Do you want to remove the selected note?")))
        return;
    list()->setFocus();
    refresh();
}

void NotesSection::refresh()
{
    const bool any = list()->count() > 0;
    m_textBox->setVisible(any);
    if (any)
        showSelectedNote();
    else
        setEditorText(QString());
    m_removeButton->setEnabled(any && list()->selectedRow() >= 0);
}

void NotesSection::storeText()
{
    const QString text = boxText(m_textBox);
    if (model()->count() == 0) {
        // Only text the program did not put there can reach an empty section; keep it as a note.
        if (!text.isEmpty())
            notes()->appendNote(kNewNote, text, false);
        return;
    }
    const int row = list()->selectedRow();
    if (row >= 0)
        notes()->setText(row, text);
}

void NotesSection::showSelectedNote()
{
    const int row = list()->selectedRow();
    if (list()->count() == 0)
        return;
    // With no note selected there is nothing to type into: the editor shows empty and greyed.
    setEditorText(notes()->record(row).text);
    m_textBox->setEnabled(row >= 0);
    m_removeButton->setEnabled(row >= 0);
}

void NotesSection::setEditorText(const QString &text)
{
    // Setting the text it already shows would only move the caret to the start.
    if (storedtext::sameText(text, boxText(m_textBox)))
        return;
    m_textBox->setPlainText(text);
}

void NotesSection::followScriptDirection()
{
    // A note in Arabic or Hebrew (its first letter decides) reads from the right edge.
    bool rightToLeft = false;
    bool decided = false;
    for (QTextBlock block = m_textBox->document()->begin(); block.isValid() && !decided; block = block.next()) {
        for (const QChar c : block.text()) {
            const QChar::Direction direction = c.direction();
            decided = direction == QChar::DirL || direction == QChar::DirR || direction == QChar::DirAL;
            if (decided) {
                rightToLeft = direction != QChar::DirL;
                break;
            }
        }
    }
    QTextOption option = m_textBox->document()->defaultTextOption();
    const Qt::Alignment alignment = rightToLeft ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft | Qt::AlignAbsolute;
    if (option.alignment() == alignment)
        return;
    option.setAlignment(alignment);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_textBox->document()->setDefaultTextOption(option);
}

bool NotesSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list() && event->type() == QEvent::FocusIn)
        showSelectedNote();
    return Section::eventFilter(watched, event);
}

void NotesSection::recordsLoaded()
{
    m_textBox->show();
    showSelectedNote();
}
