#pragma once

#include <QDateTime>
#include <QDialog>

struct Services;
class QLabel;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTimer;
class TodosSection;

/// frmAlarm: a due to-do's subject and description, its priority lamp blinking, a running
/// clock; OK deletes the to-do, the snooze menu moves its reminder to a few minutes from now.
class AlarmWindow : public QDialog
{
    Q_OBJECT
public:
    AlarmWindow(const Services &services, TodosSection &section, QWidget *parent);

    void setTexts(const QString &subject, const QString &description);
    /// The moment the reminder was due, shown under the subject with how late it is.
    void setDue(const QDateTime &due);
    /// Shows the bright lamp of a priority: 0 green, 1 orange, 2 red, any other none.
    void showPriorityLamp(int priority);
    /// The to-do to delete or snooze, and its 1-based position in the list.
    void setTodo(QListWidgetItem *item, int index);

    /// One tick of tmrBlink: the bright lamp shows for one tick, the dim one for the next.
    void blinkTick();
    /// One tick of tmrTime; also brings the window back if it was minimised.
    void timeTick();

    QMenu *snoozeMenu() const { return m_mnuSnooz; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    enum class Lamp { Green, Orange, Red };

    QLabel *addLamp(const QString &name, const QString &picture, int x);
    QLabel *brightLamp(Lamp lamp) const;
    void ok();
    void openSnoozeMenu();
    /// Moves the reminder of the to-do at index (1-based) to now plus minutes.
    void SnoozeTodo(int index, int minutes);

    const Services &m_services;
    TodosSection &m_section;
    QLabel *m_lblSubject = nullptr;
    QLabel *m_lblDue = nullptr;
    QLabel *m_lblDesc = nullptr;
    QLabel *m_lblTime = nullptr;
    QLabel *m_imgGreen = nullptr;
    QLabel *m_imgOrange = nullptr;
    QLabel *m_imgRed = nullptr;
    QTimer *m_tmrBlink = nullptr;
    QTimer *m_tmrTime = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdSnooz = nullptr;
    QMenu *m_mnuSnooz = nullptr;
    QListWidgetItem *m_item = nullptr;
    int m_index = 0;
    QDateTime m_due;
    Lamp m_blinking = Lamp::Green;
};
