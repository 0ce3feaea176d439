#include "notes/notessection.h"

#include "app/listrecords.h"
#include "notes/notetext.h"
#include "platform/messageboxes.h"
#include "widgets/arbutton.h"

#include <QEvent>
#include <QListWidget>
#include <QPlainTextEdit>

#include <memory>

namespace {

const QString kNewNote = QStringLiteral("New Note");

} // namespace

NotesSection::NotesSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraNotes"), QStringLiteral("My Notes"),
              QStringLiteral("lstNotes"), QStringLiteral("Note"), parent)
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
    // A click, and moving with the keys, show the note that became selected.
    connect(list(), &QListWidget::currentItemChanged, this, &NotesSection::showSelectedNote);
    connect(list(), &QListWidget::itemClicked, this, &NotesSection::showSelectedNote);
    // A click on the empty space below the notes leaves none selected.
    connect(list(), &QListWidget::itemSelectionChanged, this, &NotesSection::showSelectedNote);
    list()->installEventFilter(this);
}

void NotesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        m_remove->setEnabled(false);
}

void NotesSection::addNote()
{
    QListWidget *notes = list();
    QListWidgetItem *item = listrecords::append(notes, kNewNote, iconKey());
    notes->setFocus();
    notes->setCurrentItem(item);
    notes->editItem(item);
    m_txtNotes->show();
    setEditorText(listrecords::tag(item));
    m_remove->setEnabled(true);
}

void NotesSection::removeSelectedNote()
{
    if (!listrecords::selected(list()))
        return;
    const auto answer = m_services.messages->show(
        window(), QStringLiteral("Do you want to remove the selected note?"),
        QStringLiteral("Confirm"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    QListWidget *notes = list();
    QListWidgetItem *item = listrecords::selected(notes);
    if (answer == MessageBoxes::Answer::Yes && item) {
        std::unique_ptr<QListWidgetItem> removed(notes->takeItem(notes->row(item)));
        if (QListWidgetItem *next = notes->currentItem())
            next->setSelected(true);
    }
    notes->setFocus();
    const bool any = notes->count() > 0;
    m_txtNotes->setVisible(any);
    if (any)
        showSelectedNote();
    else
        setEditorText(QString());
    m_remove->setEnabled(any && listrecords::selected(notes));
}

void NotesSection::storeText()
{
    const QString text = notetext::editorText(m_txtNotes);
    QListWidget *notes = list();
    if (notes->count() == 0) {
        // Only text the program did not put there can reach an empty section; keep it as a note.
        if (!text.isEmpty())
            listrecords::append(notes, kNewNote, QString(), notetext::toTag(text));
        return;
    }
    QListWidgetItem *item = listrecords::selected(notes);
    if (item && !notetext::sameText(listrecords::tag(item), text))
        listrecords::setTag(item, notetext::toTag(text));
}

void NotesSection::showSelectedNote()
{
    QListWidgetItem *item = listrecords::selected(list());
    if (list()->count() == 0)
        return;
    // With no note selected there is nothing to type into: the editor shows empty and greyed.
    setEditorText(listrecords::tag(item));
    m_txtNotes->setEnabled(item != nullptr);
    m_remove->setEnabled(item != nullptr);
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
