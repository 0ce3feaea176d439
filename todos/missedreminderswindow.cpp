// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/missedreminderswindow.h"

#include "core/remindertext.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "todos/duetext.h"
#include "todos/reminderwindowflags.h"
#include "todos/snoozechoices.h"
#include "widgets/artwork.h"
#include "widgets/deliberatekeys.h"
#include "widgets/look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>

namespace {

QString lampPicture(int priority)
{
    switch (priority) {
    case 0:
        return QStringLiteral("lamp_green");
    case 2:
        return QStringLiteral("lamp_red");
    default:
        return QStringLiteral("lamp_orange");
    }
}

constexpr int kRowHeight = 44;
constexpr int kRowsShown = 6;

} // namespace

MissedRemindersWindow::MissedRemindersWindow(const Services &services, const QList<Missed> &todos,
                                             QWidget *parent)
    : QDialog(parent, kReminderWindowFlags)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmMissed"));
    setWindowTitle(QStringLiteral("Missed reminders"));
    look::applyPanel(this);

    auto *rowsWidget = new QWidget;
    m_rows = new QVBoxLayout(rowsWidget);
    m_rows->setContentsMargins(4, 4, 4, 4);
    m_rows->setSpacing(2);
    for (const Missed &missed : todos)
        m_entries.append({missed.todo, addRow(missed.record)});
    m_rows->addStretch();
    auto *scroll = new QScrollArea;
    scroll->setWidget(rowsWidget);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedHeight(int(qMin(todos.size(), qsizetype(kRowsShown))) * kRowHeight + 12);

    auto *snoozeAllButton = new QPushButton(QStringLiteral("Snooze all"));
    snoozeAllButton->setObjectName(QStringLiteral("cmdSnoozeAll"));
    snoozeAllButton->setAutoDefault(false);
    m_snoozeMenu = new QMenu(snoozeAllButton);
    m_snoozeMenu->setObjectName(QStringLiteral("mnuSnoozeAll"));
    for (const SnoozeChoice &choice : kSnoozeChoices) {
        if (choice.minutes == 0) {
            m_snoozeMenu->addSeparator();
            continue;
        }
        QAction *action = m_snoozeMenu->addAction(QLatin1String(choice.text));
        action->setObjectName(QLatin1String(choice.name));
        const int minutes = choice.minutes;
        connect(action, &QAction::triggered, this, [this, minutes] { snoozeAll(minutes); });
        if (minutes == kDefaultSnoozeMinutes)
            m_snoozeMenu->setDefaultAction(action);
    }
    // Popped up rather than attached to the button, which would run the menu in a loop of its own.
    connect(snoozeAllButton, &QPushButton::clicked, this, [this, snoozeAllButton] {
        m_snoozeMenu->popup(snoozeAllButton->mapToGlobal(QPoint(0, snoozeAllButton->height())));
    });
    auto *oneByOne = new QPushButton(QStringLiteral("One by one"));
    oneByOne->setObjectName(QStringLiteral("cmdOneByOne"));
    oneByOne->setDefault(true);
    connect(oneByOne, &QPushButton::clicked, this, &QDialog::accept);
    // It comes up by itself, as the alarm does: an Enter meant for another window is no answer.
    new DeliberateKeys(*m_services.clock, this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(snoozeAllButton);
    buttons->addWidget(oneByOne);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    scroll->setFixedWidth(416);
    oneByOne->setFocus();
}

QWidget *MissedRemindersWindow::addRow(const TodoRecord &record)
{
    auto *row = new QWidget;
    row->setObjectName(QStringLiteral("missedRow"));
    row->setFixedHeight(kRowHeight - 2);
    auto *lamp = new QLabel(row);
    lamp->setObjectName(QStringLiteral("imgLamp"));
    lamp->setPixmap(artwork(lampPicture(record.priority))
                        .scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lamp->setToolTip(todoPriorityNames().value(record.priority));
    auto *subject = new QLabel(row);
    subject->setObjectName(QStringLiteral("lblSubject"));
    subject->setFont(look::verdana(8.25, true));
    subject->setTextFormat(Qt::PlainText);
    subject->setText(record.subject);
    auto *due = new QLabel(row);
    due->setObjectName(QStringLiteral("lblDue"));
    due->setText(duetext::line(remindertext::read(record.reminder), m_services.clock->now()));
    auto *doneButton = new QPushButton(QStringLiteral("Done"), row);
    doneButton->setObjectName(QStringLiteral("cmdDone"));
    doneButton->setAutoDefault(false);
    doneButton->setAccessibleName(QStringLiteral("Done: %1").arg(record.subject));
    connect(doneButton, &QPushButton::clicked, this, [this, row] { markDone(row); });

    auto *texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(subject);
    texts->addWidget(due);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(lamp);
    layout->addLayout(texts, 1);
    layout->addWidget(doneButton);
    m_rows->addWidget(row);
    return row;
}

QList<QPersistentModelIndex> MissedRemindersWindow::remaining() const
{
    QList<QPersistentModelIndex> todos;
    for (const Entry &entry : m_entries) {
        if (entry.index.isValid())
            todos.append(entry.index);
    }
    return todos;
}

void MissedRemindersWindow::markDone(QWidget *row)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].row != row)
            continue;
        const QPersistentModelIndex todo = m_entries[i].index;
        m_entries.removeAt(i);
        if (todo.isValid())
            emit done(todo);
        row->hide();
        row->deleteLater();
        break;
    }
    if (m_entries.isEmpty())
        accept();
}

void MissedRemindersWindow::snoozeAll(int minutes)
{
    const QList<QPersistentModelIndex> todos = remaining();
    m_entries.clear();
    emit snoozed(todos, minutes);
    accept();
}
