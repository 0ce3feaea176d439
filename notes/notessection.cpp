#include "notes/notessection.h"

#include "notes/notetext.h"
#include "platform/messageboxes.h"
#include "store/recordlistmodel.h"
#include "widgets/arbutton.h"
#include "widgets/recordlistview.h"

#include <QEvent>
#include <QPlainTextEdit>

namespace {

const QString kNewNote = QStringLiteral("New Note");

} // namespace

NotesSection::NotesSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraNotes"), QStringLiteral("My Notes"),
              QStringLiteral("lstNotes"), QStringLiteral("Note"), new RecordListModel, parent)
{
    ARButton *add = addArButton(QStringLiteral("arbNotesAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new Note"), false);
    m_remove = addArButton(QStringLiteral("arbNotesRemove"), {35, 264},
                           QStringLiteral("arb_remove"), QStringLiteral("Remove selected Note"), true);
    add->setAccessibleName(QStringLiteral("Add note"));
    m_remove->setAccessibleName(QStringLiteral("Remove note"));

    m_txtNotes = new QPlainTextEdit(this);
    m_txtNotes->setObjectName(QStringLiteral("txtNotes"));
    m_txtNotes->setAccessibleName(QStringLiteral("Note text"));
    m_txtNotes->setGeometry(171, 16, 241, 286);
    m_txtNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtNotes->setTabChangesFocus(true);
    QPalette palette = m_txtNotes->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    m_txtNotes->setPalette(palette);
    m_txtNotes->hide();

    connect(add, &ARButton::clicked, this, &NotesSection::addNote);
    connect(m_remove, &ARButton::clicked, this, &NotesSection::removeSelectedNote);
    connect(m_txtNotes, &QPlainTextEdit::textChanged, this, &NotesSection::storeText);
    // A click, moving with the keys, and a click on the empty space below the notes (which
    // leaves none selected) all show what became selected.
    connect(list(), &RecordListView::selectedRowChanged, this, &NotesSection::showSelectedNote);
    connect(list(), &RecordListView::clicked, this, &NotesSection::showSelectedNote);
    list()->installEventFilter(this);
}

void NotesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        m_remove->setEnabled(false);
}

void NotesSection::addNote()
{
    RecordListView *notes = list();
    const int row = model()->appendRecord(kNewNote);
    notes->setFocus();
    notes->selectRow(row);
    notes->editCaption(row);
    m_txtNotes->show();
    setEditorText(model()->tag(row));
    m_remove->setEnabled(true);
}

void NotesSection::removeSelectedNote()
{
    if (list()->selectedRow() < 0)
        return;
    const auto answer = m_services.messages->show(
        window(), QStringLiteral("Do you want to remove the selected note?"),
        QStringLiteral("Confirm"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    RecordListView *notes = list();
    const int row = notes->selectedRow();
    if (answer == MessageBoxes::Answer::Yes && row >= 0) {
        model()->removeRecord(row);
        notes->selectRow(notes->currentIndex().row());
    }
    notes->setFocus();
    const bool any = notes->count() > 0;
    m_txtNotes->setVisible(any);
    if (any)
        showSelectedNote();
    else
        setEditorText(QString());
    m_remove->setEnabled(any && notes->selectedRow() >= 0);
}

void NotesSection::storeText()
{
    const QString text = notetext::editorText(m_txtNotes);
    if (model()->count() == 0) {
        // Only text the program did not put there can reach an empty section; keep it as a note.
        if (!text.isEmpty())
            model()->appendRecord(kNewNote, notetext::toTag(text), false);
        return;
    }
    const int row = list()->selectedRow();
    if (row >= 0 && !notetext::sameText(model()->tag(row), text))
        model()->setTag(row, notetext::toTag(text));
}

void NotesSection::showSelectedNote()
{
    const int row = list()->selectedRow();
    if (list()->count() == 0)
        return;
    // With no note selected there is nothing to type into: the editor shows empty and greyed.
    setEditorText(model()->tag(row));
    m_txtNotes->setEnabled(row >= 0);
    m_remove->setEnabled(row >= 0);
}

void NotesSection::setEditorText(const QString &tag)
{
    // Setting the text it already shows would only move the caret to the start.
    if (notetext::sameText(tag, notetext::editorText(m_txtNotes)))
        return;
    m_txtNotes->setPlainText(notetext::toEditor(tag));
}

bool NotesSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list() && event->type() == QEvent::FocusIn)
        showSelectedNote();
    return Section::eventFilter(watched, event);
}

void NotesSection::recordLoaded()
{
    m_txtNotes->show();
}

void NotesSection::showFirstLoaded()
{
    showSelectedNote();
}
