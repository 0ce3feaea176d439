#include "todos/reminderdialog.h"

#include "platform/clocktext.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/services.h"
#include "platform/soundplayer.h"
#include "todos/digitsedit.h"
#include "todos/reminderdates.h"
#include "todos/remindertext.h"
#include "widgets/artwork.h"
#include "widgets/fieldvalidation.h"
#include "widgets/look.h"
#include "widgets/placedbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace reminderdates;

namespace {


QComboBox *dropDownList(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setGeometry(geometry);
    combo->setMaxVisibleItems(14);
    return combo;
}

QLabel *label(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

/// The number in a box when it is one (digits only) from low to high.
bool holdsNumber(const QLineEdit *box, int low, int high)
{
    const QString text = box->text();
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    const int value = text.toInt();
    return value >= low && value <= high;
}

} // namespace

ReminderDialog::ReminderDialog(const Services &services, const ReminderFields &current, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmReminder"));
    setWindowTitle(QStringLiteral("Reminder"));
    setFixedSize(330, 252);
    look::applyPanel(this);

    auto *frame = new QGroupBox(QStringLiteral("Setting Reminder"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(8, 6, 314, 204);

    QLabel *yearLabel = label(QStringLiteral("Year:"), {12, 20, 80, 16}, frame);
    QLabel *monthLabel = label(QStringLiteral("Month:"), {110, 20, 80, 16}, frame);
    QLabel *dayLabel = label(QStringLiteral("Day:"), {228, 20, 70, 16}, frame);
    m_cboYear = dropDownList(QStringLiteral("cboYear"), {12, 37, 92, 22}, frame);
    m_cboMonth = dropDownList(QStringLiteral("cboMonth"), {110, 37, 112, 22}, frame);
    m_cboDay = dropDownList(QStringLiteral("cboDay"), {228, 37, 74, 22}, frame);
    // The labels name the boxes to screen readers; where one label serves several boxes, or
    // none stands beside one, the box is named itself.
    yearLabel->setBuddy(m_cboYear);
    monthLabel->setBuddy(m_cboMonth);
    dayLabel->setBuddy(m_cboDay);

    label(QStringLiteral("Hour   Minute   AM/PM"), {12, 68, 140, 16}, frame);
    m_txtHour = new DigitsEdit(frame);
    m_txtHour->setObjectName(QStringLiteral("txtHour"));
    m_txtHour->setGeometry(12, 85, 34, 22);
    m_txtHour->setAlignment(Qt::AlignCenter);
    m_txtHour->setAccessibleName(QStringLiteral("Hour"));
    auto *colon = label(QStringLiteral(":"), {48, 85, 8, 22}, frame);
    colon->setAlignment(Qt::AlignCenter);
    m_txtMin = new DigitsEdit(frame);
    m_txtMin->setObjectName(QStringLiteral("txtMin"));
    m_txtMin->setGeometry(58, 85, 34, 22);
    m_txtMin->setAlignment(Qt::AlignCenter);
    m_txtMin->setAccessibleName(QStringLiteral("Minute"));
    m_cboAMPM = dropDownList(QStringLiteral("cboAMPM"), {98, 85, 54, 22}, frame);
    m_cboAMPM->addItems({QStringLiteral("AM"), QStringLiteral("PM")});

    QLabel *fastLabel = label(QStringLiteral("Fast select:"), {166, 68, 136, 16}, frame);
    m_cboFast = dropDownList(QStringLiteral("cboFast"), {166, 85, 136, 22}, frame);
    fastLabel->setBuddy(m_cboFast);
    for (const FastOffset &offset : fastOffsets)
        m_cboFast->addItem(QLatin1String(offset.text));
    m_cboFast->setCurrentIndex(-1);

    m_chkReminder = new QCheckBox(QStringLiteral("When reminder comes due play this sound:"), frame);
    m_chkReminder->setObjectName(QStringLiteral("chkReminder"));
    m_chkReminder->setGeometry(12, 120, 290, 20);
    m_chkReminder->setChecked(true);
    m_txtSound = new QLineEdit(frame);
    m_txtSound->setObjectName(QStringLiteral("txtSound"));
    m_txtSound->setAccessibleName(QStringLiteral("Sound file"));
    m_txtSound->setGeometry(12, 144, 260, 22);
    // Unticked, the path shows on the button face colour, as a disabled box should.
    QPalette soundPalette = m_txtSound->palette();
    soundPalette.setColor(QPalette::Disabled, QPalette::Base, look::panel());
    m_txtSound->setPalette(soundPalette);
    m_cmdRemind = new QPushButton(frame);
    m_cmdRemind->setObjectName(QStringLiteral("cmdRemind"));
    m_cmdRemind->setGeometry(276, 144, 26, 22);
    m_cmdRemind->setIcon(artworkIcon(QStringLiteral("speaker")));
    m_cmdRemind->setIconSize(QSize(20, 20));
    m_cmdRemind->setToolTip(QStringLiteral("Play this sound"));
    m_cmdRemind->setAccessibleName(QStringLiteral("Play sound"));
    m_cmdRemind->setAutoDefault(false);
    m_cmdBrowse = placeButton(QStringLiteral("Browse..."), QStringLiteral("cmdBrowse"),
                              {212, 172, 90, 24}, frame);

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(148, 218, 84, 26);
    m_cmdOK->setDefault(true);
    m_cmdCancel = placeButton(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"),
                              {238, 218, 84, 26}, this);

    connect(m_cboYear, &QComboBox::activated, this, &ReminderDialog::yearClick);
    connect(m_cboMonth, &QComboBox::activated, this, &ReminderDialog::monthClick);
    connect(m_cboFast, &QComboBox::activated, this, &ReminderDialog::fastClick);
    connect(m_chkReminder, &QCheckBox::toggled, this, &ReminderDialog::soundTickClick);
    connect(m_cmdBrowse, &QPushButton::clicked, this, &ReminderDialog::browse);
    connect(m_cmdRemind, &QPushButton::clicked, this, &ReminderDialog::testSound);
    connect(m_cmdOK, &QPushButton::clicked, this, &ReminderDialog::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    FieldValidation::instance().watch(m_txtHour, [this] { return checkHour(); });
    FieldValidation::instance().watch(m_txtMin, [this] { return checkMinute(); });
    // Cancel drops what was typed, as Esc does: a bad hour or minute does not hold it up.
    FieldValidation::instance().leaveUncheckedFor(m_cmdCancel);

    // Load: a reminder that does not convert counts as none.
    const QDateTime now = m_services.clock->now();
    const QDateTime reminder = remindertext::read(current.reminder);
    const QDateTime start = reminder.isValid() ? reminder : now;
    m_txtSound->setText(current.sound.isEmpty() ? m_services.path(QStringLiteral("alarm.wav"))
                                                : current.sound);
    FillYear(now);
    FillMonth(now);
    FillDay(now);
    if (reminder.isValid())
        SetcboDate(start);
    SetcboTime(start);
    if (current.playFlag == QLatin1String("0"))
        m_chkReminder->setChecked(false);
    else if (current.playFlag == QLatin1String("1") || current.playFlag.isEmpty())
        m_chkReminder->setChecked(true);
}

void ReminderDialog::select(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    if (combo == m_cboYear)
        yearClick();
    else if (combo == m_cboMonth)
        monthClick();
}

void ReminderDialog::FillYear(const QDateTime &dDate)
{
    m_cboYear->clear();
    m_cboYear->addItems(yearEntries(dDate.date()));
    select(m_cboYear, 0);
}

void ReminderDialog::FillMonth(const QDateTime &dDate)
{
    m_cboMonth->clear();
    m_cboMonth->addItems(monthEntries(dDate.date()));
    select(m_cboMonth, 0);
}

void ReminderDialog::FillDay(const QDateTime &dDate)
{
    const QString month = m_cboMonth->currentText();
    const int days = daysInMonth(chosenYear(), month == thisMonth ? dDate.date().month() : GetMonthNumber(month));
    m_cboDay->clear();
    m_cboDay->addItems(dayEntries(days, dDate.date().day()));
    const bool laterDay = dDate.date() > m_services.clock->now().date();
    m_cboDay->setCurrentIndex(laterDay ? 1 : 0);
}

void ReminderDialog::SetcboDate(const QDateTime &dDate)
{
    const QDate date = dDate.date();
    const int year = m_cboYear->findText(QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')));
    if (year >= 0)
        select(m_cboYear, year);
    const int month = m_cboMonth->findText(GetMonthName(date.month()));
    if (month >= 0)
        select(m_cboMonth, month);
    const int day = m_cboDay->findText(QString::number(date.day()));
    if (day >= 0)
        select(m_cboDay, day);
}

void ReminderDialog::SetcboTime(const QDateTime &dDate)
{
    const QTime time = dDate.time();
    m_txtHour->setText(QStringLiteral("%1").arg(hour12(time), 2, 10, QLatin1Char('0')));
    m_txtMin->setText(QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0')));
    m_cboAMPM->setCurrentIndex(time.hour() < 12 ? 0 : 1);
}

int ReminderDialog::chosenYear() const
{
    return m_cboYear->currentIndex() > 0 ? m_cboYear->currentText().toInt()
                                         : m_services.clock->now().date().year();
}

void ReminderDialog::yearClick()
{
    if (m_cboYear->currentIndex() > 0) {
        if (m_cboMonth->currentIndex() == 0)
            select(m_cboMonth, m_cboMonth->count() - 1);
        if (m_cboDay->currentIndex() == 0)
            select(m_cboDay, m_cboDay->count() - 1);
    }
    // A chosen month's days follow the year (February of a leap year has 29); the day stays.
    if (m_cboMonth->currentIndex() > 0) {
        const QString day = m_cboDay->currentText();
        monthClick();
        const int index = m_cboDay->findText(day);
        if (index >= 0)
            m_cboDay->setCurrentIndex(index);
    }
}

void ReminderDialog::monthClick()
{
    const QDateTime now = m_services.clock->now();
    if (m_cboMonth->currentIndex() <= 0) {
        FillDay(now);
        return;
    }
    // A month shorter than today's day number counts from its last day.
    const int month = GetMonthNumber(m_cboMonth->currentText());
    const int day = qMin(now.date().day(), daysInMonth(chosenYear(), month));
    FillDay(QDateTime(QDate(now.date().year(), month, day), now.time()));
    if (m_cboDay->currentIndex() == 0)
        select(m_cboDay, m_cboDay->count() - 1);
}

void ReminderDialog::fastClick(int index)
{
    if (index < 0 || index >= int(fastOffsets.size()))
        return;
    const QDateTime now = m_services.clock->now();
    const QDateTime target = now.addSecs(qint64(fastOffsets[size_t(index)].minutes) * 60);
    if (target.date() > now.date()) {
        // Lists counted from today with the target's own entries chosen, so that OK reads
        // them back as exactly that date.
        FillYear(now);
        FillMonth(now);
        FillDay(now);
        SetcboDate(target);
    } else {
        FillYear(target);
        FillMonth(target);
        FillDay(target);
    }
    SetcboTime(target);
}

void ReminderDialog::soundTickClick()
{
    const bool on = m_chkReminder->isChecked();
    m_txtSound->setEnabled(on);
    m_cmdRemind->setEnabled(on);
    m_cmdBrowse->setEnabled(on);
}

void ReminderDialog::browse()
{
    const QString file = m_services.files->openFile(this, QStringLiteral("Open"), m_txtSound->text(),
                                                    QStringLiteral("Wave Files (*.wav)"));
    if (!file.isEmpty())
        m_txtSound->setText(file);
}

void ReminderDialog::testSound()
{
    m_services.sound->play(m_txtSound->text());
}

bool ReminderDialog::hourAcceptable() const
{
    return holdsNumber(m_txtHour, 1, 12);
}

bool ReminderDialog::minuteAcceptable() const
{
    return holdsNumber(m_txtMin, 0, 59);
}

bool ReminderDialog::checkHour()
{
    if (hourAcceptable())
        return true;
    m_services.messages->show(this, QStringLiteral("Hour must be a number between 1 to 12"), QString(),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_txtHour->setFocus(Qt::OtherFocusReason);
    return false;
}

bool ReminderDialog::checkMinute()
{
    if (minuteAcceptable())
        return true;
    m_services.messages->show(this, QStringLiteral("Minute must be a number between 0 to 59"), QString(),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_txtMin->setFocus(Qt::OtherFocusReason);
    return false;
}

void ReminderDialog::ok()
{
    m_services.sound->stop();
    // Enter can reach OK while a time box still holds what its check refuses.
    if (!checkHour() || !checkMinute())
        return;

    // Relative entries become explicit ones, so a later year keeps the chosen month and day.
    if (m_cboYear->currentIndex() != 0) {
        if (m_cboMonth->currentIndex() == 0)
            select(m_cboMonth, m_cboMonth->count() - 1);
        if (m_cboDay->currentIndex() == 0)
            select(m_cboDay, m_cboDay->count() - 1);
    }
    if (m_cboMonth->currentIndex() != 0 && m_cboDay->currentIndex() == 0)
        select(m_cboDay, m_cboDay->count() - 1);

    const QDateTime now = m_services.clock->now();
    const QDate today = now.date();
    const int year = m_cboYear->currentIndex() == 0 ? today.year() : m_cboYear->currentText().toInt();
    const int month = m_cboMonth->currentIndex() == 0 ? today.month() : GetMonthNumber(m_cboMonth->currentText());
    int day = m_cboDay->currentIndex() == 0 ? today.day() : m_cboDay->currentText().toInt();
    day = qMin(day, QDate(year, month, 1).daysInMonth());
    const int hour = m_txtHour->text().toInt() % 12 + (m_cboAMPM->currentIndex() == 1 ? 12 : 0);
    const QDateTime moment(QDate(year, month, day), QTime(hour, m_txtMin->text().toInt(), 0));

    if (remindertext::stamp(moment) < remindertext::stamp(now)) {
        const auto answer = m_services.messages->show(
            this,
            QStringLiteral("The reminder for this task is in the past, so no reminder will be set. Is it OK?"),
            QString(), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation);
        if (answer == MessageBoxes::Answer::Yes)
            reject();
        return;
    }

    m_result.reminder = remindertext::write(moment);
    m_result.caption = reminderCaption({m_cboYear->currentText(), m_cboMonth->currentText(),
                                        m_cboDay->currentText(), m_txtHour->text(), m_txtMin->text(),
                                        m_cboAMPM->currentText()});
    m_result.sound = m_txtSound->text();
    m_result.playFlag = m_chkReminder->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_written = true;
    accept();
}
