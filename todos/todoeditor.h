// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/todorecord.h"

#include <QGroupBox>

struct Services;
class PercentEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SelectOnFocusLineEdit;
class UpDownButtons;

/// fraTodoIn: the editor of the selected to-do. It knows nothing of the list; the section
/// stores what it shows when a field is left.
class TodoEditor : public QGroupBox
{
    Q_OBJECT
public:
    TodoEditor(const Services &services, QWidget *parent);

    /// What the editor shows, as a record (the reminder fields as last set).
    TodoRecord record() const;
    /// Shows a record; a default record is the editor's default state.
    void showRecord(const TodoRecord &record);

    ReminderFields reminderFields() const;
    void setReminderFields(const ReminderFields &fields);

    QString subject() const;
    /// True when the percent box holds a value it would accept when left.
    bool percentAcceptable() const;

    /// The boxes the user types in or chooses from, in tab order.
    QList<QWidget *> boxes() const;

    /// Marks the searched words (folded) in the description.
    void highlightMatches(const QString &needle);

    /// The up and down steps of the percent box (spinner and arrow keys).
    void stepPercentUp();
    void stepPercentDown();

signals:
    /// The subject box was left (before the record is stored: the caption rule runs first).
    void subjectLeft();
    /// Status, priority, description or an accepted percent box was left.
    void fieldLeft();
    void reminderClicked();

private:
    QLabel *addLabel(const QString &text, const QRect &geometry, QWidget *buddy,
                     const QString &name = QString());
    void showReminderCaption();
    /// Enter in the percent box: a good value is tidied to "N%" and the focus moves on.
    void checkPercentOnEnter();
    /// Leaving the percent box: false, after telling the user, when it holds no percent.
    bool checkPercentOnLeave();

    const Services &m_services;
    SelectOnFocusLineEdit *m_subjectEdit = nullptr;
    QComboBox *m_statusBox = nullptr;
    QComboBox *m_priorityBox = nullptr;
    PercentEdit *m_percentEdit = nullptr;
    UpDownButtons *m_percentSpinner = nullptr;
    QLabel *m_reminderLabel = nullptr;
    QPushButton *m_reminderButton = nullptr;
    QLineEdit *m_descriptionEdit = nullptr;
    ReminderFields m_reminder{QString(), QString(), QString(), todotext::reminderNotSet, QString()};
    /// Kept from the shown record: no box shows it, and an edit must not lose it.
    QString m_uid;
    /// What the record keeps while the percent box holds a value it refuses.
    QString m_lastGoodPercent = QStringLiteral("0%");
};
