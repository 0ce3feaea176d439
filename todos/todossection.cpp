#include "todos/todossection.h"

#include "widgets/arbutton.h"

#include <QListWidget>

TodosSection::TodosSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraTodos"), QStringLiteral("My To-Dos"),
              QStringLiteral("lstTodo"), QStringLiteral("Todo"), parent)
{
    addArButton(QStringLiteral("arbTodoAdd"), {4, 264}, QStringLiteral("arb_add"),
                QStringLiteral("Add a new To-Do"), false);
    addArButton(QStringLiteral("arbTodoRemove"), {35, 264}, QStringLiteral("arb_remove"),
                QStringLiteral("Remove selected To-Do"), true);
}

void TodosSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        findChild<ARButton *>(QStringLiteral("arbTodoRemove"))->setEnabled(false);
}

void TodosSection::recordLoaded() {}

void TodosSection::showFirstLoaded() {}
