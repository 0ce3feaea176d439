// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/todoeditor.h"

#include "platform/messageboxes.h"
#include "platform/services.h"
#include "todos/percentedit.h"
#include "todos/percentsteps.h"
#include "todos/repeattext.h"
#include "todos/updownbuttons.h"
#include "widgets/comboboxname.h"
#include "widgets/fieldvalidation.h"
#include "widgets/matchhighlight.h"
#include "widgets/selectonfocuslineedit.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <QPushButton>

namespace {

QComboBox *dropDownList(const QStringList &items, const QString &name, const QString &spokenName,
                        const QRect &geometry, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    // Named before anything reaches it: a screen reader would otherwise read out the entry shown.
    nameComboBox(combo, spokenName);
    combo->addItems(items);
    combo->setGeometry(geometry);
    return combo;
}

} // namespace

TodoEditor::TodoEditor(const Services &services, QWidget *parent)
    : QGroupBox(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraTodoIn"));
    setGeometry(171, 10, 240, 293);
    setAutoFillBackground(true);
    hide();

    // Created in tab order: subject, status, priority, percent, reminder, description.
    m_subjectEdit = new SelectOnFocusLineEdit(this);
    m_subjectEdit->setObjectName(QStringLiteral("txtSubject"));
    m_subjectEdit->setGeometry(53, 12, 179, 18);
    addLabel(QStringLiteral("S&ubject:"), {8, 13, 53, 14}, m_subjectEdit);

    m_statusBox = dropDownList(todoStatusNames(), QStringLiteral("cboStatus"), QStringLiteral("Status"), {52, 33, 180, 20}, this);
    addLabel(QStringLiteral("S&tatus:"), {7, 35, 67, 14}, m_statusBox, QStringLiteral("lblStatus"));

    m_priorityBox = dropDownList(todoPriorityNames(), QStringLiteral("cboPeriority"), QStringLiteral("Priority"), {52, 59, 61, 20}, this);
    addLabel(QStringLiteral("&Periority:"), {8, 62, 67, 14}, m_priorityBox);

    m_percentEdit = new PercentEdit(this);
    m_percentEdit->setObjectName(QStringLiteral("txtComplete"));
    m_percentEdit->setGeometry(179, 58, 53, 20);
    m_percentEdit->setText(QStringLiteral("0%"));
    // The spinner lies over the right end of the box, so the text stops short of it.
    m_percentEdit->setTextMargins(0, 0, 17, 0);
    // The priority list is as wide as "Normal" needs; the label beside it gives way.
    QFont smaller = m_priorityBox->font();
    smaller.setPointSizeF(7.5);
    m_priorityBox->setFont(smaller);
    const int normalWidth = QFontMetrics(smaller).horizontalAdvance(QStringLiteral("Normal"));
    m_priorityBox->resize(qMax(61, normalWidth + 26), 20);
    QLabel *percentLabel = addLabel(QStringLiteral("% Co&mplete:"), {116, 61, 67, 14}, m_percentEdit);
    const int percentLabelWidth = percentLabel->fontMetrics().horizontalAdvance(QStringLiteral("% Complete:")) + 1;
    const int percentLabelX = qMax(m_priorityBox->geometry().right() + 3, qMin(116, 178 - percentLabelWidth));
    percentLabel->setGeometry(percentLabelX, 61, 179 - percentLabelX, 14);
    // The spinner is the box's buddy, lying over its right end (214, 60 in the frame): a part
    // of the box, so stepping does not count as leaving it.
    m_percentSpinner = new UpDownButtons(m_percentEdit);
    m_percentSpinner->setObjectName(QStringLiteral("udComplete"));
    m_percentSpinner->setGeometry(QRect(QPoint(214, 60) - m_percentEdit->pos(), QSize(16, 17)));
    m_percentSpinner->setCursor(Qt::ArrowCursor);
    m_percentSpinner->upButton()->setAccessibleName(QStringLiteral("More % complete"));
    m_percentSpinner->downButton()->setAccessibleName(QStringLiteral("Less % complete"));

    m_reminderButton = new QPushButton(QStringLiteral("Remi&nder not set"), this);
    m_reminderButton->setObjectName(QStringLiteral("cmdReminder"));
    m_reminderButton->setGeometry(61, 87, 170, 21);
    m_reminderButton->setAutoDefault(false);
    m_reminderLabel = addLabel(QStringLiteral("Reminder:"), {8, 92, 67, 14}, nullptr,
                             QStringLiteral("lblReminder"));

    m_descriptionEdit = new QLineEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("txtTodoDesc"));
    m_descriptionEdit->setGeometry(7, 136, 224, 150);
    m_descriptionEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addLabel(QStringLiteral("Descripti&ons:"), {7, 120, 67, 14}, m_descriptionEdit);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_subjectEdit, [this] {
        emit subjectLeft();
        return true;
    });
    for (QWidget *field : {static_cast<QWidget *>(m_statusBox), static_cast<QWidget *>(m_priorityBox),
                           static_cast<QWidget *>(m_descriptionEdit)}) {
        validation.watch(field, [this] {
            emit fieldLeft();
            return true;
        });
    }
    validation.watch(m_percentEdit, [this] { return checkPercentOnLeave(); });

    connect(m_percentEdit, &PercentEdit::enterPressed, this, &TodoEditor::checkPercentOnEnter);
    connect(m_percentEdit, &PercentEdit::stepUpRequested, this, &TodoEditor::stepPercentUp);
    connect(m_percentEdit, &PercentEdit::stepDownRequested, this, &TodoEditor::stepPercentDown);
    connect(m_percentSpinner, &UpDownButtons::upClicked, this, &TodoEditor::stepPercentUp);
    connect(m_percentSpinner, &UpDownButtons::downClicked, this, &TodoEditor::stepPercentDown);
    connect(m_reminderButton, &QPushButton::clicked, this, &TodoEditor::reminderClicked);
}

QList<QWidget *> TodoEditor::boxes() const
{
    return {m_subjectEdit, m_statusBox, m_priorityBox, m_percentEdit, m_descriptionEdit};
}

QLabel *TodoEditor::addLabel(const QString &text, const QRect &geometry, QWidget *buddy,
                             const QString &name)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setBuddy(buddy);
    // The labels' places were drawn for a narrower face than the one found here: a point
    // smaller, the texts fit before their boxes.
    QFont small = label->font();
    small.setPointSizeF(7.5);
    label->setFont(small);
    // Labels sit under the boxes they name where the two overlap, as they always have.
    label->lower();
    return label;
}

TodoRecord TodoEditor::record() const
{
    TodoRecord record;
    record.subject = m_subjectEdit->text();
    record.status = m_statusBox->currentIndex();
    record.priority = m_priorityBox->currentIndex();
    record.percent = percentAcceptable() ? m_percentEdit->text() : m_lastGoodPercent;
    record.reminder = m_reminder.reminder;
    record.sound = m_reminder.sound;
    record.playFlag = m_reminder.playFlag;
    record.description = m_descriptionEdit->text();
    record.reminderCaption = m_reminder.caption;
    record.repeatRule = m_reminder.repeatRule;
    record.uid = m_uid;
    return record;
}

void TodoEditor::showRecord(const TodoRecord &record)
{
    m_uid = record.uid;
    m_subjectEdit->setText(record.subject);
    m_statusBox->setCurrentIndex(record.status);
    m_priorityBox->setCurrentIndex(record.priority);
    m_percentEdit->setText(record.percent);
    m_lastGoodPercent = record.percent;
    m_descriptionEdit->setText(record.description);
    setReminderFields({record.reminder, record.sound, record.playFlag, record.reminderCaption, record.repeatRule});
}

ReminderFields TodoEditor::reminderFields() const
{
    return m_reminder;
}

void TodoEditor::setReminderFields(const ReminderFields &fields)
{
    m_reminder = fields;
    // The holders of the hidden values, as the rest of the program knows them.
    m_reminderButton->setProperty("tag", fields.reminder);
    m_reminderLabel->setProperty("tag", fields.sound);
    if (QLabel *status = findChild<QLabel *>(QStringLiteral("lblStatus")))
        status->setProperty("tag", fields.playFlag);
    showReminderCaption();
}

void TodoEditor::showReminderCaption()
{
    QString shown = m_reminder.caption;
    // A repeating reminder says its rule, whatever caption came with it (another program's
    // to-do, synced or imported, brings none of ours).
    if (const QString said = repeattext::caption(m_reminder.repeatRule, m_reminder.reminder); !said.isEmpty())
        shown = said;
    // A stored caption is plain text: an "&" in it is no accelerator mark.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_reminderButton->setText(shown);
}

QString TodoEditor::subject() const
{
    return m_subjectEdit->text();
}

bool TodoEditor::percentAcceptable() const
{
    return percent::value(m_percentEdit->text()).has_value();
}

void TodoEditor::highlightMatches(const QString &needle)
{
    matchhighlight::highlight(m_descriptionEdit, needle);
}

void TodoEditor::stepPercentUp()
{
    m_percentEdit->showStep(percent::stepUp(percent::stepStart(m_percentEdit->text())));
}

void TodoEditor::stepPercentDown()
{
    m_percentEdit->showStep(percent::stepDown(percent::stepStart(m_percentEdit->text())));
}

void TodoEditor::checkPercentOnEnter()
{
    if (const std::optional<int> value = percent::value(m_percentEdit->text())) {
        m_percentEdit->setText(QString::number(*value) + QLatin1Char('%'));
        m_reminderButton->setFocus(Qt::TabFocusReason);
        return;
    }
    m_services.messages->show(this, QStringLiteral("Percent complete must be a number between 0 to 100."),
                              QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_percentEdit->setFocus(Qt::OtherFocusReason);
}

bool TodoEditor::checkPercentOnLeave()
{
    QString number = m_percentEdit->text();
    number.remove(QLatin1Char('%'));
    if (const std::optional<int> value = percent::value(number)) {
        m_percentEdit->setText(QString::number(*value) + QLatin1Char('%'));
        m_lastGoodPercent = m_percentEdit->text();
        emit fieldLeft();
        return true;
    }
    m_percentEdit->setText(number);
    m_services.messages->show(this, QStringLiteral("Complete percent must be a number between 0 to 100."),
                              QStringLiteral("Percent overflow"), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
    m_percentEdit->selectAll();
    return false;
}
