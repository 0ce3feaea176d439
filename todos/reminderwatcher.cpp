#include "todos/reminderwatcher.h"

#include "app/listrecords.h"
#include "platform/clock.h"
#include "platform/notifier.h"
#include "platform/services.h"
#include "platform/soundplayer.h"
#include "store/escapes.h"
#include "todos/alarmwindow.h"
#include "todos/duetext.h"
#include "todos/missedreminderswindow.h"
#include "todos/remindertext.h"
#include "todos/todorecord.h"
#include "todos/todossection.h"

#include <QListWidget>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>

std::optional<qint64> todoDueStamp(const QString &tag)
{
    // Only the separators are looked for: a "¶" typed into a field is stored escaped. One plain
    // pass, as this runs for every to-do when the list is first scanned.
    const char16_t separator = 0x00B6;
    const char16_t *chars = reinterpret_cast<const char16_t *>(tag.constData());
    const qsizetype size = tag.size();
    qsizetype reminderStart = -1;
    qsizetype reminderEnd = -1;
    int separators = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (chars[i] != separator)
            continue;
        ++separators;
        if (separators == todofield::Reminder)
            reminderStart = i + 1;
        else if (separators == todofield::Reminder + 1)
            reminderEnd = i;
        else if (separators == todofield::Count)
            return std::nullopt; // more than nine fields
    }
    if (separators != todofield::Count - 1 || reminderEnd == reminderStart)
        return std::nullopt;
    const QStringView raw = QStringView(tag).mid(reminderStart, reminderEnd - reminderStart);
    return raw.contains(u'[') ? remindertext::readStamp(escapes::unescape(raw))
                              : remindertext::readStamp(raw);
}

ReminderWatcher::ReminderWatcher(const Services &services, QListWidget *list, TodosSection *section,
                                 QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_list(list)
    , m_section(section)
{
    setObjectName(QStringLiteral("reminderWatcher"));
    m_tmrTodo = new QTimer(this);
    m_tmrTodo->setObjectName(QStringLiteral("tmrTodo"));
    m_tmrTodo->setInterval(1000);
    connect(m_tmrTodo, &QTimer::timeout, this, &ReminderWatcher::tick);

    QAbstractItemModel *model = list->model();
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                forgetRows(topLeft.row(), bottomRight.row());
            });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (first <= int(m_rows.size()))
            m_rows.insert(m_rows.begin() + first, size_t(last - first + 1), RowDue());
        else
            forgetAll();
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (last < int(m_rows.size()))
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
        else
            forgetAll();
    });
    connect(model, &QAbstractItemModel::rowsMoved, this, &ReminderWatcher::forgetAll);
    connect(model, &QAbstractItemModel::layoutChanged, this, &ReminderWatcher::forgetAll);
    connect(model, &QAbstractItemModel::modelReset, this, &ReminderWatcher::forgetAll);
}

void ReminderWatcher::start()
{
    m_tmrTodo->start();
}

void ReminderWatcher::forgetRows(int first, int last)
{
    for (int row = first; row <= last && row < int(m_rows.size()); ++row)
        m_rows[size_t(row)].known = false;
}

int ReminderWatcher::scanRows()
{
    const int count = m_list->count();
    if (int(m_rows.size()) != count) {
        m_rows.clear();
        m_rows.resize(size_t(count));
    }
    for (int row = 0; row < count; ++row) {
        RowDue &entry = m_rows[size_t(row)];
        if (!entry.known) {
            entry.due = todoDueStamp(listrecords::tag(m_list->item(row)));
            entry.known = true;
        }
    }
    return count;
}

void ReminderWatcher::GetDueTodo(int &priority, QString &subject, QString &description,
                                 QListWidgetItem *&item, QString &sound, QDateTime &due)
{
    due = QDateTime();
    const int count = scanRows();
    const qint64 now = remindertext::stamp(m_services.clock->now());
    int dueRow = -1;
    for (int row = 0; row < count; ++row) {
        // Every due to-do overwrites the one before: the last one in the list is reported.
        if (m_rows[size_t(row)].due && *m_rows[size_t(row)].due <= now)
            dueRow = row;
    }
    if (dueRow < 0)
        return;
    item = m_list->item(dueRow);
    readDueTodo(item, priority, subject, description, sound, due);
}

void ReminderWatcher::readDueTodo(const QListWidgetItem *item, int &priority, QString &subject,
                                  QString &description, QString &sound, QDateTime &due)
{
    const QStringList fields = escapes::splitFields(listrecords::tag(item));
    bool ok = false;
    const int value = fields[todofield::Priority].toInt(&ok);
    priority = ok ? value : -1;
    subject = fields[todofield::Subject];
    description = fields[todofield::Description];
    sound = fields[todofield::Sound];
    due = remindertext::read(fields[todofield::Reminder]);
}

QList<int> dueRowsOldestFirst(const QList<std::optional<qint64>> &dueStamps, qint64 now)
{
    QList<int> rows;
    for (int row = 0; row < dueStamps.size(); ++row) {
        if (dueStamps[row] && *dueStamps[row] <= now)
            rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [&dueStamps](int a, int b) {
        return *dueStamps[a] < *dueStamps[b] || (*dueStamps[a] == *dueStamps[b] && a > b);
    });
    return rows;
}

QList<QListWidgetItem *> ReminderWatcher::dueOldestFirst()
{
    const int count = scanRows();
    QList<std::optional<qint64>> stamps;
    stamps.reserve(count);
    for (const RowDue &entry : m_rows)
        stamps.append(entry.due);
    QList<QListWidgetItem *> items;
    for (const int row : dueRowsOldestFirst(stamps, remindertext::stamp(m_services.clock->now())))
        items.append(m_list->item(row));
    return items;
}

QListWidgetItem *ReminderWatcher::takeQueued(qint64 now)
{
    while (!m_queue.isEmpty()) {
        const QPersistentModelIndex index = m_queue.takeFirst();
        if (!index.isValid())
            continue;
        const std::optional<qint64> due = todoDueStamp(listrecords::tag(m_list->item(index.row())));
        if (due && *due <= now) {
            m_queue.prepend(index); // it rings until answered
            return m_list->item(index.row());
        }
    }
    return nullptr;
}

bool ReminderWatcher::showMissed()
{
    const QList<QListWidgetItem *> missed = dueOldestFirst();
    if (missed.size() < 2)
        return false;
    m_section->commitPendingEdit();
    MissedRemindersWindow window(m_services, *m_section, missed, m_section->window());
    QStringList subjects;
    for (QListWidgetItem *item : missed)
        subjects.append(TodoRecord::fromTag(listrecords::tag(item)).subject);
    execNoticed(window, window.windowTitle(), subjects.join(QLatin1Char('\n')), 1);
    // Closed by "One by one" or its close box: the alarms follow, oldest first.
    m_queue.clear();
    for (QListWidgetItem *item : window.remaining())
        m_queue.append(QPersistentModelIndex(m_list->model()->index(m_list->row(item), 0)));
    return true;
}

void ReminderWatcher::execNoticed(QDialog &window, const QString &summary, const QString &body,
                                  int priority)
{
    Notifier *notifier = m_services.notifier;
    if (!notifier) {
        window.exec();
        return;
    }
    const Notifier::Urgency urgency = priority == 0 ? Notifier::Urgency::Low
        : priority == 2                             ? Notifier::Urgency::Critical
                                                    : Notifier::Urgency::Normal;
    const int notice = notifier->post(summary, body, urgency);
    const QMetaObject::Connection shown = connect(notifier, &Notifier::showRequested, &window, [&window, notice](int asked) {
        if (asked != notice)
            return;
        QWidget *main = window.parentWidget() ? window.parentWidget()->window() : nullptr;
        if (main && main->isMinimized())
            main->showNormal();
        window.raise();
        window.activateWindow();
    });
    window.exec();
    disconnect(shown);
    notifier->withdraw(notice);
}

void ReminderWatcher::tick()
{
    const QDateTime now = m_services.clock->now();
    // Ticks come every second, also while a window of ours is open; only a start or a sleeping
    // machine leaves a longer gap.
    const bool waking = !m_lastTick.isValid() || qAbs(m_lastTick.secsTo(now)) > 120;
    m_lastTick = now;
    if (m_inTick)
        return;
    m_inTick = true;
    QPointer<ReminderWatcher> self(this);
    const auto done = qScopeGuard([self] {
        if (self)
            self->m_inTick = false;
    });

    int priority = 0;
    QString subject;
    QString description;
    QListWidgetItem *item = nullptr;
    QString sound;
    QDateTime due;
    if (!m_section)
        return;
    if (waking && showMissed())
        return;
    item = takeQueued(remindertext::stamp(now));
    if (item)
        readDueTodo(item, priority, subject, description, sound, due);
    else
        GetDueTodo(priority, subject, description, item, sound, due);
    if (!due.isValid())
        return;

    // A subject half typed must not be lost when the alarm's OK or snooze reloads the editor.
    m_section->commitPendingEdit();

    AlarmWindow alarm(m_services, *m_section, m_section->window());
    alarm.setTexts(subject, description);
    alarm.setDue(due);
    alarm.showPriorityLamp(priority);
    alarm.setTodo(item, m_list->row(item) + 1);
    if (!sound.isEmpty())
        m_services.sound->play(sound);
    execNoticed(alarm, subject, duetext::line(due, m_services.clock->now()), priority);
}
