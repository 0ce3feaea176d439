// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findbar.h"

#include "core/recordfilter.h"
#include "store/recordlistmodel.h"
#include "store/textfold.h"
#include "widgets/fieldvalidation.h"
#include "widgets/look.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

#include <algorithm>

namespace {

/// In the title bar, between the name and the window buttons.
const QRect kFieldGeometry(330, 10, 200, 22);
/// A badge in the top right corner of a section button, clear of its name, as wide as its number.
QRect countGeometry(int section, int textWidth)
{
    const int width = qMax(18, textWidth + 8);
    return {166 - width, 46 + 38 * section + 2, width, 13};
}

} // namespace

FindBar::FindBar(QWidget *window, const QList<Section *> &sections)
    : QObject(window)
    , m_window(window)
    , m_sections(sections)
{
    m_field = new QLineEdit(window);
    m_field->setObjectName(QStringLiteral("txtFind"));
    m_field->setGeometry(kFieldGeometry);
    m_field->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    m_field->setToolTip(QStringLiteral("Find in every section (Ctrl+F); Enter or F3 for the next match"));
    m_field->setAccessibleName(QStringLiteral("Find"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &FindBar::search);
    connect(m_field, &QLineEdit::returnPressed, this, [this] { goToMatch(true); });

    for (int section = 0; section < m_sections.size(); ++section) {
        auto *count = new QLabel(window);
        count->setObjectName(QStringLiteral("lblFindCount%1").arg(section));
        count->setAlignment(Qt::AlignCenter);
        count->setFont(look::verdana(6.5, true));
        count->setStyleSheet(QStringLiteral("color: white; background: rgb(0, 54, 89); border-radius: 6px;"));
        count->setAttribute(Qt::WA_TransparentForMouseEvents);
        count->hide();
        m_counts.append(count);
        RecordListView *list = m_sections[section]->list();
        // Add and Remove under a search change what is listed; a record typed into may come to
        // hold the needle, or stop holding it. The records' own signals: the filter, made
        // before, has caught up with each change by then.
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(list->records(), signal, this, [this, section] { updateCount(section); });
        connect(list->records(), &QAbstractItemModel::modelReset, this, [this, section] { updateCount(section); });
        connect(list->records(), &QAbstractItemModel::dataChanged, this, [this, section] {
            if (!m_needle.isEmpty())
                updateCount(section);
        });
        connect(list, &RecordListView::selectedRowChanged, this, [this, section] {
            if (!m_needle.isEmpty())
                m_sections[section]->highlightMatches(m_needle);
        });
    }

    auto *find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), window);
    connect(find, &QShortcut::activated, this, &FindBar::open);
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), window);
    connect(next, &QShortcut::activated, this, [this] { goToMatch(true); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), window);
    connect(previous, &QShortcut::activated, this, [this] { goToMatch(false); });
    // Off while nothing is searched, so Esc means nothing new then. A menu, a dialog or a list's
    // caption editor keeps its own Esc: they take the key before a window's shortcut.
    m_end = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    m_end->setEnabled(false);
    connect(m_end, &QShortcut::activated, this, [this] {
        // A box being typed into keeps what it holds before the lists change under it.
        if (FieldValidation::instance().commitFocused())
            close();
    });
}

void FindBar::open()
{
    if (!FieldValidation::instance().commitFocused())
        return;
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FindBar::close()
{
    const bool typing = m_field->hasFocus();
    m_field->clear();
    if (typing)
        m_window->setFocus();
}

void FindBar::search(const QString &typed)
{
    const QString needle = textfold::needle(typed);
    if (needle == m_needle)
        return;
    const bool ended = needle.isEmpty();
    m_needle = needle;
    m_end->setEnabled(!ended);
    for (int section = 0; section < m_sections.size(); ++section) {
        m_sections[section]->list()->setSearch(needle);
        updateCount(section);
        // The list's selection change has marked the new needle; an ended search unmarks.
        if (ended)
            m_sections[section]->highlightMatches(QString());
    }
}

void FindBar::updateCount(int section)
{
    QLabel *count = m_counts[section];
    count->setVisible(!m_needle.isEmpty());
    if (m_needle.isEmpty())
        return;
    count->setText(QString::number(m_sections[section]->list()->filter()->matchCount()));
    count->setGeometry(countGeometry(section, count->fontMetrics().horizontalAdvance(count->text())));
}

int FindBar::shownSection() const
{
    for (int section = 0; section < m_sections.size(); ++section) {
        if (!m_sections[section]->isHidden())
            return section;
    }
    return -1;
}

void FindBar::goToMatch(bool forward)
{
    if (m_needle.isEmpty() || !FieldValidation::instance().commitFocused())
        return;
    // Every match in one run, section after section, so stepping wraps round them all. A record
    // listed only because it was added or edited during the search is no match.
    QList<QList<int>> matches; // per section, the listed rows that are matches, in order
    QList<int> starts;
    int total = 0;
    for (Section *section : m_sections) {
        const RecordListView *list = section->list();
        QList<int> listedMatches;
        for (int listed = 0; listed < list->listedCount(); ++listed) {
            if (list->filter()->isMatch(list->recordAt(listed)))
                listedMatches.append(listed);
        }
        starts.append(total);
        total += int(listedMatches.size());
        matches.append(listedMatches);
    }
    if (total == 0)
        return;
    // Just before the first match going forward, just after the last going back.
    int at = forward ? -1 : total;
    if (const int shown = shownSection(); shown >= 0) {
        const RecordListView *list = m_sections[shown]->list();
        const QList<int> &listedMatches = matches[shown];
        const int selected = list->listedRow(list->selectedRow());
        // The matches listed above the selected record; on a match it is that one, between two
        // the next is the one below and the previous the one above.
        const int above = int(std::lower_bound(listedMatches.cbegin(), listedMatches.cend(), selected) - listedMatches.cbegin());
        const bool onMatch = above < listedMatches.size() && listedMatches[above] == selected;
        if (selected < 0)
            at = forward ? starts[shown] - 1 : starts[shown] + int(listedMatches.size()); // its first next, its last previous
        else
            at = starts[shown] + above - (onMatch || !forward ? 0 : 1);
    }
    const int target = forward ? (at + 1) % total : (at - 1 + total) % total;
    int section = int(m_sections.size()) - 1;
    while (starts[section] > target || matches[section].isEmpty())
        --section;
    if (m_sections[section]->isHidden()) {
        // Opening a section takes the focus to the window: the field keeps it, for the next Enter.
        const bool typing = m_field->hasFocus();
        emit sectionWanted(SectionId(section));
        if (typing)
            m_field->setFocus();
    }
    RecordListView *list = m_sections[section]->list();
    list->selectRow(list->recordAt(matches[section][target - starts[section]]));
    list->scrollTo(list->currentIndex());
    m_sections[section]->highlightMatches(m_needle);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    // Whoever comes to the field is about to search: the texts are folded meanwhile.
    if (watched == m_field && event->type() == QEvent::FocusIn) {
        for (Section *section : std::as_const(m_sections))
            section->model()->foldInBackground();
    }
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
