// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/alarmwindow.h"

#include "platform/clocktext.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "todos/duetext.h"
#include "todos/snoozechoices.h"
#include "todos/reminderwindowflags.h"
#include "widgets/artwork.h"
#include "widgets/deliberatekeys.h"
#include "widgets/look.h"
#include "widgets/placedbutton.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QTimer>

AlarmWindow::AlarmWindow(const Services &services, QWidget *parent)
    : QDialog(parent, kReminderWindowFlags)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmAlarm"));
    setWindowTitle(QStringLiteral("Reminder"));
    setFixedSize(360, 200);
    look::applyPanel(this);

    auto *frame = new QGroupBox(QStringLiteral("To-Do Reminder"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(8, 6, 344, 118);
    // Subject and description wrap, and scroll when they are longer than the frame: the whole
    // of them can be read before the to-do is let go.
    auto *texts = new QScrollArea(frame);
    texts->setGeometry(6, 18, 334, 96);
    texts->setFrameShape(QFrame::NoFrame);
    texts->setWidgetResizable(true);
    texts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 0);
    m_subjectLabel = new QLabel(page);
    m_subjectLabel->setObjectName(QStringLiteral("lblSubject"));
    m_subjectLabel->setFont(look::verdana(8.25, true));
    m_dueLabel = new QLabel(page);
    m_dueLabel->setObjectName(QStringLiteral("lblDue"));
    m_nextLabel = new QLabel(page);
    m_nextLabel->setObjectName(QStringLiteral("lblNext"));
    m_nextLabel->hide();
    m_descriptionLabel = new QLabel(page);
    m_descriptionLabel->setObjectName(QStringLiteral("lblDesc"));
    for (QLabel *label : {m_subjectLabel, m_dueLabel, m_nextLabel, m_descriptionLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    layout->addStretch();
    texts->setWidget(page);
    page->setAutoFillBackground(false);
    texts->viewport()->setAutoFillBackground(false);

    // The dim lamps always show; each bright one lies over its dim twin.
    addLamp(QStringLiteral("imgGreenD"), QStringLiteral("lamp_green_d"), 12);
    addLamp(QStringLiteral("imgOrangeD"), QStringLiteral("lamp_orange_d"), 55);
    addLamp(QStringLiteral("imgRedD"), QStringLiteral("lamp_red_d"), 98);
    m_greenLamp = addLamp(QStringLiteral("imgGreen"), QStringLiteral("lamp_green"), 12);
    m_orangeLamp = addLamp(QStringLiteral("imgOrange"), QStringLiteral("lamp_orange"), 55);
    m_redLamp = addLamp(QStringLiteral("imgRed"), QStringLiteral("lamp_red"), 98);
    for (QLabel *bright : {m_greenLamp, m_orangeLamp, m_redLamp})
        bright->hide();

    m_timeLabel = new QLabel(this);
    m_timeLabel->setObjectName(QStringLiteral("lblTime"));
    m_timeLabel->setGeometry(146, 144, 100, 18);
    m_timeLabel->setFont(look::verdana(8.25, true));

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setGeometry(262, 134, 90, 25);
    m_okButton->setDefault(true);
    // Enter is OK wherever the focus is, but only an Enter pressed for this window.
    new DeliberateKeys(*m_services.clock, this);
    m_snoozeButton = placeButton(QStringLiteral("Snooz"), QStringLiteral("cmdSnooz"), {262, 165, 90, 25}, this);

    m_snoozeMenu = new QMenu(QStringLiteral("Snooz"), this);
    m_snoozeMenu->setObjectName(QStringLiteral("mnuSnooz"));
    for (const SnoozeChoice &choice : kSnoozeChoices) {
        QAction *action = choice.minutes == 0 ? m_snoozeMenu->addSeparator()
                                              : m_snoozeMenu->addAction(QLatin1String(choice.text));
        action->setObjectName(QLatin1String(choice.name));
        if (choice.minutes == 0)
            continue;
        const int minutes = choice.minutes;
        connect(action, &QAction::triggered, this, [this, minutes] { answer(Choice::Snooze, minutes); });
        if (minutes == kDefaultSnoozeMinutes)
            m_snoozeMenu->setDefaultAction(action);
    }
    m_snoozeMenu->addSeparator();
    QAction *stop = m_snoozeMenu->addAction(QStringLiteral("Stop reminding (keep the to-do)"));
    stop->setObjectName(QStringLiteral("mnuStopReminding"));
    connect(stop, &QAction::triggered, this, [this] { answer(Choice::StopReminding); });

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(QStringLiteral("tmrBlink"));
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, &AlarmWindow::blinkLamp);
    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("tmrTime"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &AlarmWindow::updateClock);

    connect(m_okButton, &QPushButton::clicked, this, [this] { answer(Choice::Done); });
    connect(m_snoozeButton, &QPushButton::clicked, this, &AlarmWindow::openSnoozeMenu);

    m_texts = texts;
    m_okButton->setFocus();
}

QLabel *AlarmWindow::addLamp(const QString &name, const QString &picture, int x)
{
    auto *lamp = new QLabel(this);
    lamp->setObjectName(name);
    lamp->setPixmap(artwork(picture));
    lamp->setGeometry(x, 134, 39, 39);
    return lamp;
}

void AlarmWindow::setTexts(const QString &subject, const QString &description)
{
    m_subjectLabel->setText(subject);
    m_descriptionLabel->setText(description);
    // A screen reader announces the window by this name when it comes up.
    setAccessibleName(subject.isEmpty() ? windowTitle() : windowTitle() + QStringLiteral(": ") + subject);
    setAccessibleDescription(description);
}

void AlarmWindow::setDue(const QDateTime &due)
{
    m_due = due;
    m_dueLabel->setText(duetext::line(m_due, m_services.clock->now()));
}

void AlarmWindow::setNext(const QString &text)
{
    m_nextLabel->setText(text);
    m_nextLabel->setVisible(!text.isEmpty());
}

void AlarmWindow::showPriorityLamp(int priority)
{
    // The window serves one alarm after another: what the last one lit goes out first.
    m_blinking = Lamp::Green;
    for (const char *name : {"imgGreen", "imgOrange", "imgRed", "imgGreenD", "imgOrangeD", "imgRedD"})
        findChild<QLabel *>(QLatin1String(name))->setAccessibleName(QString());
    for (QLabel *bright : {m_greenLamp, m_orangeLamp, m_redLamp})
        bright->hide();
    if (priority >= 0 && priority <= 2) {
        // The lamp of the priority is read as words, whether it is lit or dark at the moment.
        static const char *const kSpoken[] = {"Low priority", "Normal priority", "High priority"};
        static const char *const kDimLamps[] = {"imgGreenD", "imgOrangeD", "imgRedD"};
        brightLamp(Lamp(priority))->setAccessibleName(QLatin1String(kSpoken[priority]));
        findChild<QLabel *>(QLatin1String(kDimLamps[priority]))->setAccessibleName(QLatin1String(kSpoken[priority]));
    }
    switch (priority) {
    case 0:
        m_greenLamp->show();
        break;
    case 1:
        m_orangeLamp->show();
        break;
    case 2:
        m_redLamp->show();
        break;
    default:
        break;
    }
}

void AlarmWindow::showEvent(QShowEvent *event)
{
    m_choice = {};
    updateClock();
    m_blinkTimer->start();
    m_clockTimer->start();
    m_texts->verticalScrollBar()->setValue(0);
    m_okButton->setFocus();
    QDialog::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void AlarmWindow::hideEvent(QHideEvent *event)
{
    m_blinkTimer->stop();
    m_clockTimer->stop();
    m_snoozeMenu->hide();
    QDialog::hideEvent(event);
}

QLabel *AlarmWindow::brightLamp(Lamp lamp) const
{
    switch (lamp) {
    case Lamp::Green:
        return m_greenLamp;
    case Lamp::Orange:
        return m_orangeLamp;
    case Lamp::Red:
        return m_redLamp;
    }
    return m_greenLamp;
}

void AlarmWindow::blinkLamp()
{
    if (!m_redLamp->isHidden())
        m_blinking = Lamp::Red;
    else if (!m_orangeLamp->isHidden())
        m_blinking = Lamp::Orange;
    else if (!m_greenLamp->isHidden())
        m_blinking = Lamp::Green;
    QLabel *lamp = brightLamp(m_blinking);
    lamp->setVisible(lamp->isHidden());
}

void AlarmWindow::updateClock()
{
    if (isMinimized()) { // a window manager may minimise it all the same
        showNormal();
        raise();
        activateWindow();
    }
    const QTime time = m_services.clock->now().time();
    m_timeLabel->setText(QStringLiteral("%1:%2:%3 %4")
                           .arg(hour12(time), 2, 10, QLatin1Char('0'))
                           .arg(time.minute(), 2, 10, QLatin1Char('0'))
                           .arg(time.second(), 2, 10, QLatin1Char('0'))
                           .arg(amPm(time)));
    if (m_due.isValid())
        m_dueLabel->setText(duetext::line(m_due, m_services.clock->now()));
}

void AlarmWindow::answer(Choice::Kind kind, int minutes)
{
    m_choice = {kind, minutes};
    accept();
}

void AlarmWindow::openSnoozeMenu()
{
    m_snoozeMenu->popup(mapToGlobal(QPoint(m_snoozeButton->x(), m_snoozeButton->y() + m_snoozeButton->height())));
}
