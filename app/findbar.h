// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QList>
#include <QObject>

class QLabel;
class QLineEdit;
class QShortcut;
class QWidget;
class Section;

/// The search field of the main window: what is typed filters every section's list at once,
/// each section button shows how many of its records match, Enter and F3 (Shift+F3 back) go from
/// match to match across the sections, and Esc anywhere in the window shows every record again.
class FindBar : public QObject
{
    Q_OBJECT
public:
    /// sections in SectionId order; the field and the counts are made on window.
    FindBar(QWidget *window, const QList<Section *> &sections);

    QLineEdit *field() const { return m_field; }
    /// The folded text the lists are filtered by; empty while every record shows.
    const QString &needle() const { return m_needle; }

    /// Ctrl+F: the field takes the focus, its text selected.
    void open();
    /// Esc: the field empties; from the field, the focus goes back to the window.
    void close();
    /// Selects the next (or previous) matching record, opening its section.
    void goToMatch(bool forward);

signals:
    /// A match lies in a section that is not shown.
    void sectionWanted(SectionId id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(const QString &typed);
    void updateCount(int section);
    /// The shown section's index, -1 with none shown.
    int shownSection() const;

    QWidget *m_window;
    QList<Section *> m_sections;
    QLineEdit *m_field = nullptr;
    QList<QLabel *> m_counts;
    /// Esc while a search is on, wherever the focus is in the window.
    QShortcut *m_end = nullptr;
    QString m_needle;
};
