#include "notes/notessection.h"

#include "widgets/arbutton.h"

#include <QListWidget>

NotesSection::NotesSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraNotes"), QStringLiteral("My Notes"),
              QStringLiteral("lstNotes"), QStringLiteral("Note"), parent)
{
    addArButton(QStringLiteral("arbNotesAdd"), {4, 264}, QStringLiteral("arb_add"),
                QStringLiteral("Add a new Note"), false);
    addArButton(QStringLiteral("arbNotesRemove"), {35, 264}, QStringLiteral("arb_remove"),
                QStringLiteral("Remove selected Note"), true);
}

void NotesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        findChild<ARButton *>(QStringLiteral("arbNotesRemove"))->setEnabled(false);
}

void NotesSection::recordLoaded() {}

void NotesSection::showFirstLoaded() {}
