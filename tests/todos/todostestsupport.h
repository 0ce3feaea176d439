// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/todorecord.h"
#include "store/datafile.h"
#include "tests/support/guitest.h"
#include "todos/alarmwindow.h"
#include "todos/missedreminderswindow.h"
#include "todos/reminderdialog.h"
#include "todos/reminderwatcher.h"
#include "todos/todoeditor.h"
#include "todos/todossection.h"

#include <QComboBox>
#include <QMenu>

/// A to-do tag from its nine fields.
inline QString todoTag(const QStringList &fields) { return fields.join(QChar(0x00B6)); }

/// A plain to-do, due at reminder (none when empty).
inline Record todo(const QString &subject, const QString &reminder = {})
{
    return {subject, todoTag({subject, "0", "1", "0%", reminder, "", "1", "", "c"})};
}

/// The window of the kind asked for that is on screen, if one is.
template <typename T> T *shownWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *shown = qobject_cast<T *>(window); shown && shown->isVisible())
            return shown;
    }
    return nullptr;
}

/// The main window over a data file of to-dos, for one test function; the watcher, running
/// from the start, is stopped, so a test ticks it itself.
struct TodosWindow
{
    void open(const QList<Record> &todos = {})
    {
        fixture.writeRecords(SectionId::Todos, todos);
        reopen();
    }
    void reopen()
    {
        fixture.close();
        section = static_cast<TodosSection *>(fixture.open()->section(SectionId::Todos));
        QVERIFY(section->watcher()->timer()->isActive());
        section->watcher()->timer()->stop();
        section->show();
        list = section->list();
        editor = section->editor();
        QCoreApplication::processEvents();
    }

    template <typename T> T *find(const QString &name) const { return fixture.find<T>(name); }
    QString tag(int row) const { return list->records()->tag(row); }
    TodoRecord record(int row) const { return TodoRecord::fromTag(tag(row)); }
    void clickItem(int row) const { ::clickItem(list, row); }

    /// Focuses a box, as a click or Tab would (its text is selected), and types into it.
    static void focus(QWidget *widget, const QString &typed = {})
    {
        widget->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(widget, typed);
        QCoreApplication::processEvents();
    }

    MainWindowFixture fixture;
    TodosSection *section = nullptr;
    RecordListView *list = nullptr;
    TodoEditor *editor = nullptr;
};

/// The user picks an entry of a drop-down list.
inline bool choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    if (index >= 0) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    return index >= 0;
}
