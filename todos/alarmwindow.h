// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QDialog>

struct Services;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;

/// frmAlarm: a due to-do's subject and description, its priority lamp blinking, a running
/// clock. It only reports the user's answer: OK (the to-do is done), a snooze of some minutes,
/// stop reminding, or closed; the to-do section applies it. One window may ring one alarm after
/// another: filled and shown again, it starts afresh.
class AlarmWindow : public QDialog
{
    Q_OBJECT
public:
    struct Choice
    {
        enum Kind { Closed, Done, Snooze, StopReminding };
        Kind kind = Closed;
        /// For Snooze: how long from now.
        int minutes = 0;
    };

    AlarmWindow(const Services &services, QWidget *parent);

    void setTexts(const QString &subject, const QString &description);
    /// The moment the reminder was due, shown under the subject with how late it is.
    void setDue(const QDateTime &due);
    /// When a repeating reminder rings next ("Next: Tue, Dec 8, 9:00 AM"); "" for none.
    void setNext(const QString &text);
    /// Shows the bright lamp of a priority: 0 green, 1 orange, 2 red, any other none.
    void showPriorityLamp(int priority);
    /// What the user answered, once the window has closed.
    Choice choice() const { return m_choice; }

    /// One tick of tmrBlink: the bright lamp shows for one tick, the dim one for the next.
    void blinkLamp();
    /// One tick of tmrTime; also brings the window back if it was minimised.
    void updateClock();

    QMenu *snoozeMenu() const { return m_snoozeMenu; }

protected:
    /// Each showing is a new alarm: no answer yet, the clock and the lamp running.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    enum class Lamp { Green, Orange, Red };

    QLabel *addLamp(const QString &name, const QString &picture, int x);
    QLabel *brightLamp(Lamp lamp) const;
    void answer(Choice::Kind kind, int minutes = 0);
    void openSnoozeMenu();

    const Services &m_services;
    QScrollArea *m_texts = nullptr;
    QLabel *m_subjectLabel = nullptr;
    QLabel *m_dueLabel = nullptr;
    QLabel *m_nextLabel = nullptr;
    QLabel *m_descriptionLabel = nullptr;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_greenLamp = nullptr;
    QLabel *m_orangeLamp = nullptr;
    QLabel *m_redLamp = nullptr;
    QTimer *m_blinkTimer = nullptr;
    QTimer *m_clockTimer = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_snoozeButton = nullptr;
    QMenu *m_snoozeMenu = nullptr;
    Choice m_choice;
    QDateTime m_due;
    Lamp m_blinking = Lamp::Green;
};
