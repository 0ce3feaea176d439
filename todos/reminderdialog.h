// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/todorecord.h"
#include "todos/repeatrule.h"

#include <QDateTime>
#include <QDialog>

struct Services;
class DigitsEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

/// frmReminder: sets a to-do's reminder moment, on the 12-hour clock, and its sound. The date
/// lists count from today ("This year", "This month", "Today" first).
class ReminderDialog : public QDialog
{
    Q_OBJECT
public:
    /// current: the to-do's reminder fields as the editor holds them.
    ReminderDialog(const Services &services, const ReminderFields &current, QWidget *parent);

    /// True when OK accepted a moment; result() then holds what the editor is to store.
    bool written() const { return m_written; }
    ReminderFields result() const { return m_result; }

private:
    /// Fill the year, month and day lists counted from the date of from, "This year", "This
    /// month" and "Today" first; the day list takes the days of the month chosen.
    void fillYears(const QDateTime &from);
    void fillMonths(const QDateTime &from);
    void fillDays(const QDateTime &from);
    /// Selects the entries of moment's year, month and day where the lists hold them.
    void selectDate(const QDateTime &moment);
    /// Shows moment's time in the hour, minute and AM/PM boxes.
    void showTime(const QDateTime &moment);

    /// Selects an entry by code; for the year and month lists this runs their handler, as the
    /// user's choice would.
    void select(QComboBox *combo, int index);
    /// The year the lists stand for: the chosen one, or the current one for "This year".
    int chosenYear() const;
    void yearChosen();
    void monthChosen();
    void fastSelectChosen(int index);
    /// The rule OK writes for the reminder's date: the loaded text, byte for byte, unless the
    /// user chose another way to repeat, or moved a rule that names its day to another date.
    RepeatRule chosenRule(const QDate &date) const;
    void updateSoundControls();
    void browse();
    void testSound();
    void checkAndAccept();
    bool hourAcceptable() const;
    bool minuteAcceptable() const;
    bool checkHour();
    bool checkMinute();

    const Services &m_services;
    QComboBox *m_yearBox = nullptr;
    QComboBox *m_monthBox = nullptr;
    QComboBox *m_dayBox = nullptr;
    DigitsEdit *m_hourEdit = nullptr;
    DigitsEdit *m_minuteEdit = nullptr;
    QComboBox *m_amPmBox = nullptr;
    QComboBox *m_fastSelectBox = nullptr;
    QComboBox *m_repeatBox = nullptr;
    QCheckBox *m_playSoundBox = nullptr;
    QLineEdit *m_soundEdit = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_browseButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    /// The rule and reminder date the dialog opened with, and whether the user chose a way to
    /// repeat since.
    RepeatRule m_loadedRule;
    QDate m_loadedDate;
    bool m_repeatChosen = false;
    /// The moment the last fast choice stood for.
    QDateTime m_fastTarget;
    bool m_written = false;
    ReminderFields m_result;
};
