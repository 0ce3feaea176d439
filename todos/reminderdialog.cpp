// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/reminderdialog.h"

#include "core/remindertext.h"
#include "platform/clock.h"
#include "platform/clocktext.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/services.h"
#include "platform/soundplayer.h"
#include "todos/digitsedit.h"
#include "todos/nextoccurrence.h"
#include "todos/reminderdates.h"
#include "todos/repeattext.h"
#include "widgets/artwork.h"
#include "widgets/comboboxname.h"
#include "widgets/fieldvalidation.h"
#include "widgets/look.h"
#include "widgets/placedbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

using namespace reminderdates;

namespace {


QComboBox *dropDownList(const QString &name, const QString &spokenName, const QRect &geometry, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    // Named before anything reaches it: a screen reader would otherwise read out the entry shown.
    nameComboBox(combo, spokenName);
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
    setFixedSize(330, 278);
    look::applyPanel(this);

    auto *frame = new QGroupBox(QStringLiteral("Setting Reminder"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(8, 6, 314, 230);

    QLabel *yearLabel = label(QStringLiteral("Year:"), {12, 20, 80, 16}, frame);
    QLabel *monthLabel = label(QStringLiteral("Month:"), {110, 20, 80, 16}, frame);
    QLabel *dayLabel = label(QStringLiteral("Day:"), {228, 20, 70, 16}, frame);
    m_yearBox = dropDownList(QStringLiteral("cboYear"), QStringLiteral("Year"), {12, 37, 92, 22}, frame);
    m_monthBox = dropDownList(QStringLiteral("cboMonth"), QStringLiteral("Month"), {110, 37, 112, 22}, frame);
    m_dayBox = dropDownList(QStringLiteral("cboDay"), QStringLiteral("Day"), {228, 37, 74, 22}, frame);
    // The labels name the boxes to screen readers; where one label serves several boxes, or
    // none stands beside one, the box is named itself.
    yearLabel->setBuddy(m_yearBox);
    monthLabel->setBuddy(m_monthBox);
    dayLabel->setBuddy(m_dayBox);

    label(QStringLiteral("Hour   Minute   AM/PM"), {12, 68, 140, 16}, frame);
    m_hourEdit = new DigitsEdit(frame);
    m_hourEdit->setObjectName(QStringLiteral("txtHour"));
    m_hourEdit->setGeometry(12, 85, 34, 22);
    m_hourEdit->setAlignment(Qt::AlignCenter);
    m_hourEdit->setAccessibleName(QStringLiteral("Hour"));
    auto *colon = label(QStringLiteral(":"), {48, 85, 8, 22}, frame);
    colon->setAlignment(Qt::AlignCenter);
    m_minuteEdit = new DigitsEdit(frame);
    m_minuteEdit->setObjectName(QStringLiteral("txtMin"));
    m_minuteEdit->setGeometry(58, 85, 34, 22);
    m_minuteEdit->setAlignment(Qt::AlignCenter);
    m_minuteEdit->setAccessibleName(QStringLiteral("Minute"));
    m_amPmBox = dropDownList(QStringLiteral("cboAMPM"), QStringLiteral("AM or PM"), {98, 85, 54, 22}, frame);
    m_amPmBox->addItems({QStringLiteral("AM"), QStringLiteral("PM")});

    QLabel *fastLabel = label(QStringLiteral("Fast select:"), {166, 68, 136, 16}, frame);
    m_fastSelectBox = dropDownList(QStringLiteral("cboFast"), QStringLiteral("Fast select"), {166, 85, 136, 22}, frame);
    fastLabel->setBuddy(m_fastSelectBox);
    for (const FastOffset &offset : fastOffsets)
        m_fastSelectBox->addItem(QLatin1String(offset.text));
    m_fastSelectBox->setCurrentIndex(-1);

    QLabel *repeatLabel = label(QStringLiteral("Repeat:"), {12, 118, 50, 16}, frame);
    m_repeatBox = dropDownList(QStringLiteral("cboRepeat"), QStringLiteral("Repeat"), {64, 115, 138, 22}, frame);
    repeatLabel->setBuddy(m_repeatBox);
    using Kind = RepeatRule::Kind;
    for (const Kind kind : {Kind::Never, Kind::Daily, Kind::Weekdays, Kind::Weekly, Kind::Monthly, Kind::Yearly})
        m_repeatBox->addItem(repeattext::choice(kind), int(kind));
    m_loadedRule = RepeatRule::fromText(current.repeatRule);
    if (m_loadedRule.kind() == Kind::Custom) {
        // Shown for what the to-do holds, but no choice: the dialog cannot make such a rule.
        m_repeatBox->addItem(repeattext::choice(Kind::Custom), int(Kind::Custom));
        if (auto *items = qobject_cast<QStandardItemModel *>(m_repeatBox->model()))
            items->item(m_repeatBox->count() - 1)->setEnabled(false);
    }
    // Text that is no rule rings once, as Never does.
    m_repeatBox->setCurrentIndex(qMax(0, m_repeatBox->findData(int(m_loadedRule.kind()))));
    connect(m_repeatBox, &QComboBox::activated, this, [this] { m_repeatChosen = true; });

    m_playSoundBox = new QCheckBox(QStringLiteral("When reminder comes due play this sound:"), frame);
    m_playSoundBox->setObjectName(QStringLiteral("chkReminder"));
    m_playSoundBox->setGeometry(12, 146, 290, 20);
    m_playSoundBox->setChecked(true);
    m_soundEdit = new QLineEdit(frame);
    m_soundEdit->setObjectName(QStringLiteral("txtSound"));
    m_soundEdit->setAccessibleName(QStringLiteral("Sound file"));
    m_soundEdit->setGeometry(12, 170, 260, 22);
    m_playButton = new QPushButton(frame);
    m_playButton->setObjectName(QStringLiteral("cmdRemind"));
    m_playButton->setGeometry(276, 170, 26, 22);
    m_playButton->setIcon(artworkIcon(QStringLiteral("speaker")));
    m_playButton->setIconSize(QSize(20, 20));
    m_playButton->setToolTip(QStringLiteral("Play this sound"));
    m_playButton->setAccessibleName(QStringLiteral("Play sound"));
    m_playButton->setAutoDefault(false);
    m_browseButton = placeButton(QStringLiteral("Browse..."), QStringLiteral("cmdBrowse"),
                              {212, 198, 90, 24}, frame);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setGeometry(148, 244, 84, 26);
    m_okButton->setDefault(true);
    m_cancelButton = placeButton(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"),
                              {238, 244, 84, 26}, this);

    connect(m_yearBox, &QComboBox::activated, this, &ReminderDialog::yearChosen);
    connect(m_monthBox, &QComboBox::activated, this, &ReminderDialog::monthChosen);
    connect(m_fastSelectBox, &QComboBox::activated, this, &ReminderDialog::fastSelectChosen);
    connect(m_playSoundBox, &QCheckBox::toggled, this, &ReminderDialog::updateSoundControls);
    connect(m_browseButton, &QPushButton::clicked, this, &ReminderDialog::browse);
    connect(m_playButton, &QPushButton::clicked, this, &ReminderDialog::testSound);
    connect(m_okButton, &QPushButton::clicked, this, &ReminderDialog::checkAndAccept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    FieldValidation::instance().watch(m_hourEdit, [this] { return checkHour(); });
    FieldValidation::instance().watch(m_minuteEdit, [this] { return checkMinute(); });
    // Cancel drops what was typed, as Esc does: a bad hour or minute does not hold it up.
    FieldValidation::instance().leaveUncheckedFor(m_cancelButton);

    // Load: a reminder that does not convert counts as none.
    const QDateTime now = m_services.clock->now();
    const QDateTime reminder = remindertext::read(current.reminder);
    const QDateTime start = reminder.isValid() ? reminder : now;
    m_loadedDate = reminder.date();
    m_soundEdit->setText(current.sound.isEmpty() ? m_services.path(QStringLiteral("alarm.wav"))
                                                : current.sound);
    fillYears(now);
    fillMonths(now);
    fillDays(now);
    if (reminder.isValid())
        selectDate(start);
    showTime(start);
    if (current.playFlag == QLatin1String("0"))
        m_playSoundBox->setChecked(false);
    else if (current.playFlag == QLatin1String("1") || current.playFlag.isEmpty())
        m_playSoundBox->setChecked(true);
}

void ReminderDialog::select(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    if (combo == m_yearBox)
        yearChosen();
    else if (combo == m_monthBox)
        monthChosen();
}

void ReminderDialog::fillYears(const QDateTime &from)
{
    m_yearBox->clear();
    m_yearBox->addItems(yearEntries(from.date()));
    select(m_yearBox, 0);
}

void ReminderDialog::fillMonths(const QDateTime &from)
{
    m_monthBox->clear();
    m_monthBox->addItems(monthEntries(from.date()));
    select(m_monthBox, 0);
}

void ReminderDialog::fillDays(const QDateTime &from)
{
    const QString month = m_monthBox->currentText();
    const int days = daysInMonth(chosenYear(), month == thisMonth ? from.date().month() : monthNumber(month));
    m_dayBox->clear();
    m_dayBox->addItems(dayEntries(days, from.date().day()));
    const bool laterDay = from.date() > m_services.clock->now().date();
    m_dayBox->setCurrentIndex(laterDay ? 1 : 0);
}

void ReminderDialog::selectDate(const QDateTime &moment)
{
    const QDate date = moment.date();
    const int year = m_yearBox->findText(QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')));
    if (year >= 0)
        select(m_yearBox, year);
    const int month = m_monthBox->findText(monthName(date.month()));
    if (month >= 0)
        select(m_monthBox, month);
    const int day = m_dayBox->findText(QString::number(date.day()));
    if (day >= 0)
        select(m_dayBox, day);
}

void ReminderDialog::showTime(const QDateTime &moment)
{
    const QTime time = moment.time();
    m_hourEdit->setText(QStringLiteral("%1").arg(hour12(time), 2, 10, QLatin1Char('0')));
    m_minuteEdit->setText(QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0')));
    m_amPmBox->setCurrentIndex(time.hour() < 12 ? 0 : 1);
}

int ReminderDialog::chosenYear() const
{
    return m_yearBox->currentIndex() > 0 ? m_yearBox->currentText().toInt()
                                         : m_services.clock->now().date().year();
}

void ReminderDialog::yearChosen()
{
    if (m_yearBox->currentIndex() > 0) {
        if (m_monthBox->currentIndex() == 0)
            select(m_monthBox, m_monthBox->count() - 1);
        if (m_dayBox->currentIndex() == 0)
            select(m_dayBox, m_dayBox->count() - 1);
    }
    // A chosen month's days follow the year (February of a leap year has 29); the day stays
    // where the month still has it, and a 29 February of a common year becomes the 28th.
    if (m_monthBox->currentIndex() > 0) {
        const QString day = m_dayBox->currentText();
        monthChosen();
        int index = m_dayBox->findText(day);
        if (index < 0 && day.toInt() > 0)
            index = m_dayBox->findText(QString::number(daysInMonth(chosenYear(), monthNumber(m_monthBox->currentText()))));
        if (index >= 0)
            m_dayBox->setCurrentIndex(index);
    }
}

void ReminderDialog::monthChosen()
{
    const QDateTime now = m_services.clock->now();
    if (m_monthBox->currentIndex() <= 0) {
        fillDays(now);
        return;
    }
    // A month shorter than today's day number counts from its last day.
    const int month = monthNumber(m_monthBox->currentText());
    const int day = qMin(now.date().day(), daysInMonth(chosenYear(), month));
    fillDays(QDateTime(QDate(now.date().year(), month, day), now.time()));
    if (m_dayBox->currentIndex() == 0)
        select(m_dayBox, m_dayBox->count() - 1);
}

void ReminderDialog::fastSelectChosen(int index)
{
    if (index < 0 || index >= int(fastOffsets.size()))
        return;
    const QDateTime now = m_services.clock->now();
    const QDateTime target = now.addSecs(qint64(fastOffsets[size_t(index)].minutes) * 60);
    m_fastTarget = target;
    if (target.date() > now.date()) {
        // Lists counted from today with the target's own entries chosen, so that OK reads
        // them back as exactly that date.
        fillYears(now);
        fillMonths(now);
        fillDays(now);
        selectDate(target);
    } else {
        fillYears(target);
        fillMonths(target);
        fillDays(target);
    }
    showTime(target);
}

void ReminderDialog::updateSoundControls()
{
    const bool on = m_playSoundBox->isChecked();
    m_soundEdit->setEnabled(on);
    m_playButton->setEnabled(on);
    m_browseButton->setEnabled(on);
}

void ReminderDialog::browse()
{
    const QString file = m_services.files->openFile(this, QStringLiteral("Open"), m_soundEdit->text(),
                                                    QStringLiteral("Wave Files (*.wav)"));
    if (!file.isEmpty())
        m_soundEdit->setText(file);
}

void ReminderDialog::testSound()
{
    m_services.sound->play(m_soundEdit->text());
}

bool ReminderDialog::hourAcceptable() const
{
    return holdsNumber(m_hourEdit, 1, 12);
}

bool ReminderDialog::minuteAcceptable() const
{
    return holdsNumber(m_minuteEdit, 0, 59);
}

bool ReminderDialog::checkHour()
{
    if (hourAcceptable())
        return true;
    m_services.messages->show(this, QStringLiteral("Hour must be a number between 1 to 12"), QString(),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_hourEdit->setFocus(Qt::OtherFocusReason);
    return false;
}

bool ReminderDialog::checkMinute()
{
    if (minuteAcceptable())
        return true;
    m_services.messages->show(this, QStringLiteral("Minute must be a number between 0 to 59"), QString(),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_minuteEdit->setFocus(Qt::OtherFocusReason);
    return false;
}

void ReminderDialog::checkAndAccept()
{
    m_services.sound->stop();
    // Enter can reach OK while a time box still holds what its check refuses.
    if (!checkHour() || !checkMinute())
        return;

    // Relative entries become explicit ones, so a later year keeps the chosen month and day.
    if (m_yearBox->currentIndex() != 0) {
        if (m_monthBox->currentIndex() == 0)
            select(m_monthBox, m_monthBox->count() - 1);
        if (m_dayBox->currentIndex() == 0)
            select(m_dayBox, m_dayBox->count() - 1);
    }
    if (m_monthBox->currentIndex() != 0 && m_dayBox->currentIndex() == 0)
        select(m_dayBox, m_dayBox->count() - 1);

    const QDateTime now = m_services.clock->now();
    const QDate today = now.date();
    const int year = m_yearBox->currentIndex() == 0 ? today.year() : m_yearBox->currentText().toInt();
    const int month = m_monthBox->currentIndex() == 0 ? today.month() : monthNumber(m_monthBox->currentText());
    int day = m_dayBox->currentIndex() == 0 ? today.day() : m_dayBox->currentText().toInt();
    day = qMin(day, QDate(year, month, 1).daysInMonth());
    const int hour = m_hourEdit->text().toInt() % 12 + (m_amPmBox->currentIndex() == 1 ? 12 : 0);
    const QDate date(year, month, day);
    const QTime time(hour, m_minuteEdit->text().toInt(), 0);
    // The minute a fast choice gave is that moment of real time, even in the hour the clocks go
    // back; a time chosen by hand means the first time the clock shows it.
    const QDateTime fast = m_fastTarget.isValid() ? m_fastTarget.addSecs(-m_fastTarget.time().second()) : QDateTime();
    const QDateTime moment = fast.isValid() && fast.date() == date && fast.time().hour() == hour
            && fast.time().minute() == time.minute()
        ? QDateTime::fromSecsSinceEpoch(fast.toSecsSinceEpoch())
        : remindertext::wallClock(date, time);

    // A repeating reminder starts at its first occurrence from the chosen moment on, or after
    // now when that has passed: every day at 9:00 chosen at 10:00 starts tomorrow.
    const RepeatRule rule = chosenRule(date);
    const bool past = remindertext::instant(moment) < remindertext::instant(now);
    const std::optional<Occurrence> first = rule.repeats()
        ? nextOccurrence(rule, QDateTime(date, time, Qt::UTC), past ? now : moment.addSecs(-1))
        : std::nullopt;
    m_result.repeatRule = rule.text();
    if (first) {
        m_result.reminder = first->reminderText();
        m_result.caption = repeattext::caption(rule, QDateTime(first->date, first->time, Qt::UTC));
    } else if (past) {
        const auto answer = m_services.messages->show(
            this,
            QStringLiteral("The reminder for this task is in the past, so no reminder will be set. Is it OK?"),
            QString(), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation);
        if (answer == MessageBoxes::Answer::Yes)
            reject();
        return;
    } else {
        m_result.reminder = remindertext::write(moment);
        m_result.caption = reminderCaption({m_yearBox->currentText(), m_monthBox->currentText(),
                                            m_dayBox->currentText(), m_hourEdit->text(), m_minuteEdit->text(),
                                            m_amPmBox->currentText()});
    }
    m_result.sound = m_soundEdit->text();
    m_result.playFlag = m_playSoundBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_written = true;
    accept();
}

RepeatRule ReminderDialog::chosenRule(const QDate &date) const
{
    using Kind = RepeatRule::Kind;
    const auto kind = Kind(m_repeatBox->currentData().toInt());
    // Text that is no rule is kept until the user chooses how to repeat.
    if (m_loadedRule.kind() == Kind::Invalid && !m_repeatChosen)
        return m_loadedRule;
    if (kind != m_loadedRule.kind())
        return RepeatRule::forKind(kind, QDateTime(date, QTime(12, 0)));
    const bool namesItsDay = kind == Kind::Weekly || kind == Kind::Monthly || kind == Kind::Yearly;
    // A rule that names its day follows a new date; on the same date it stays as it is, so a
    // month's 31st waiting on the 30th of a shorter month still names the 31st.
    return namesItsDay && date != m_loadedDate ? RepeatRule::forKind(kind, QDateTime(date, QTime(12, 0)))
                                               : m_loadedRule;
}
