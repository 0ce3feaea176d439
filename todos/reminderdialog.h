#pragma once

#include "todos/todorecord.h"

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
    void FillYear(const QDateTime &dDate);
    void FillMonth(const QDateTime &dDate);
    void FillDay(const QDateTime &dDate);
    void SetcboDate(const QDateTime &dDate);
    void SetcboTime(const QDateTime &dDate);

    /// Selects an entry by code; for the year and month lists this runs their click handler,
    /// as the user's choice would.
    void select(QComboBox *combo, int index);
    /// The year the lists stand for: the chosen one, or the current one for "This year".
    int chosenYear() const;
    void yearClick();
    void monthClick();
    void fastClick(int index);
    void soundTickClick();
    void browse();
    void testSound();
    void ok();
    bool hourAcceptable() const;
    bool minuteAcceptable() const;
    bool checkHour();
    bool checkMinute();

    const Services &m_services;
    QComboBox *m_cboYear = nullptr;
    QComboBox *m_cboMonth = nullptr;
    QComboBox *m_cboDay = nullptr;
    DigitsEdit *m_txtHour = nullptr;
    DigitsEdit *m_txtMin = nullptr;
    QComboBox *m_cboAMPM = nullptr;
    QComboBox *m_cboFast = nullptr;
    QCheckBox *m_chkReminder = nullptr;
    QLineEdit *m_txtSound = nullptr;
    QPushButton *m_cmdRemind = nullptr;
    QPushButton *m_cmdBrowse = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    bool m_written = false;
    ReminderFields m_result;
};
