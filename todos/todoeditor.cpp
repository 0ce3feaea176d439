#include "todos/todoeditor.h"

#include "platform/messageboxes.h"
#include "platform/services.h"
#include "todos/percentedit.h"
#include "todos/percentsteps.h"
#include "todos/updownbuttons.h"
#include "widgets/fieldvalidation.h"
#include "widgets/selectonfocuslineedit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QComboBox *dropDownList(const QStringList &items, const QString &name, const QRect &geometry,
                        QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
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
    m_txtSubject = new SelectOnFocusLineEdit(this);
    m_txtSubject->setObjectName(QStringLiteral("txtSubject"));
    m_txtSubject->setGeometry(53, 12, 179, 18);
    addLabel(QStringLiteral("S&ubject:"), {8, 13, 53, 14}, m_txtSubject);

    m_cboStatus = dropDownList(todoStatusNames(), QStringLiteral("cboStatus"), {52, 33, 180, 20}, this);
    addLabel(QStringLiteral("S&tatus:"), {7, 35, 67, 14}, m_cboStatus, QStringLiteral("lblStatus"));

    m_cboPeriority = dropDownList(todoPriorityNames(), QStringLiteral("cboPeriority"), {52, 59, 61, 20}, this);
    addLabel(QStringLiteral("&Periority:"), {8, 62, 67, 14}, m_cboPeriority);

    m_txtComplete = new PercentEdit(this);
    m_txtComplete->setObjectName(QStringLiteral("txtComplete"));
    m_txtComplete->setGeometry(179, 58, 53, 20);
    m_txtComplete->setText(QStringLiteral("0%"));
    // The spinner lies over the right end of the box, so the text stops short of it.
    m_txtComplete->setTextMargins(0, 0, 17, 0);
    // The priority list is as wide as "Normal" needs; the label beside it gives way.
    QFont smaller = m_cboPeriority->font();
    smaller.setPointSizeF(7.5);
    m_cboPeriority->setFont(smaller);
    const int normalWidth = QFontMetrics(smaller).horizontalAdvance(QStringLiteral("Normal"));
    m_cboPeriority->resize(qMax(61, normalWidth + 26), 20);
    QLabel *percentLabel = addLabel(QStringLiteral("% Co&mplete:"), {116, 61, 67, 14}, m_txtComplete);
    const int percentLabelWidth = percentLabel->fontMetrics().horizontalAdvance(QStringLiteral("% Complete:")) + 1;
    const int percentLabelX = qMax(m_cboPeriority->geometry().right() + 3, qMin(116, 178 - percentLabelWidth));
    percentLabel->setGeometry(percentLabelX, 61, 179 - percentLabelX, 14);
    // The spinner is the box's buddy, lying over its right end (214, 60 in the frame): a part
    // of the box, so stepping does not count as leaving it.
    m_udComplete = new UpDownButtons(m_txtComplete);
    m_udComplete->setObjectName(QStringLiteral("udComplete"));
    m_udComplete->setGeometry(QRect(QPoint(214, 60) - m_txtComplete->pos(), QSize(16, 17)));
    m_udComplete->setCursor(Qt::ArrowCursor);

    m_cmdReminder = new QPushButton(QStringLiteral("Remi&nder not set"), this);
    m_cmdReminder->setObjectName(QStringLiteral("cmdReminder"));
    m_cmdReminder->setGeometry(61, 87, 170, 21);
    m_cmdReminder->setAutoDefault(false);
    m_lblReminder = addLabel(QStringLiteral("Reminder:"), {8, 92, 67, 14}, nullptr,
                             QStringLiteral("lblReminder"));

    m_txtTodoDesc = new QLineEdit(this);
    m_txtTodoDesc->setObjectName(QStringLiteral("txtTodoDesc"));
    m_txtTodoDesc->setGeometry(7, 136, 224, 150);
    m_txtTodoDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addLabel(QStringLiteral("Descripti&ons:"), {7, 120, 67, 14}, m_txtTodoDesc);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_txtSubject, [this] {
        emit subjectLeft();
        return true;
    });
    for (QWidget *field : {static_cast<QWidget *>(m_cboStatus), static_cast<QWidget *>(m_cboPeriority),
                           static_cast<QWidget *>(m_txtTodoDesc)}) {
        validation.watch(field, [this] {
            emit fieldLeft();
            return true;
        });
    }
    validation.watch(m_txtComplete, [this] { return leavePercent(); });

    connect(m_txtComplete, &PercentEdit::enterPressed, this, &TodoEditor::percentEnter);
    connect(m_txtComplete, &PercentEdit::stepUpRequested, this, &TodoEditor::stepPercentUp);
    connect(m_txtComplete, &PercentEdit::stepDownRequested, this, &TodoEditor::stepPercentDown);
    connect(m_udComplete, &UpDownButtons::upClicked, this, &TodoEditor::stepPercentUp);
    connect(m_udComplete, &UpDownButtons::downClicked, this, &TodoEditor::stepPercentDown);
    connect(m_cmdReminder, &QPushButton::clicked, this, &TodoEditor::reminderClicked);
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
    record.subject = m_txtSubject->text();
    record.status = m_cboStatus->currentIndex();
    record.priority = m_cboPeriority->currentIndex();
    record.percent = percentAcceptable() ? m_txtComplete->text() : m_lastGoodPercent;
    record.reminder = m_reminder.reminder;
    record.sound = m_reminder.sound;
    record.playFlag = m_reminder.playFlag;
    record.description = m_txtTodoDesc->text();
    record.reminderCaption = m_reminder.caption;
    return record;
}

void TodoEditor::showRecord(const TodoRecord &record)
{
    m_txtSubject->setText(record.subject);
    m_cboStatus->setCurrentIndex(record.status);
    m_cboPeriority->setCurrentIndex(record.priority);
    m_txtComplete->setText(record.percent);
    m_lastGoodPercent = record.percent;
    m_txtTodoDesc->setText(record.description);
    setReminderFields({record.reminder, record.sound, record.playFlag, record.reminderCaption});
}

ReminderFields TodoEditor::reminderFields() const
{
    return m_reminder;
}

void TodoEditor::setReminderFields(const ReminderFields &fields)
{
    m_reminder = fields;
    // The holders of the hidden values, as the rest of the program knows them.
    m_cmdReminder->setProperty("tag", fields.reminder);
    m_lblReminder->setProperty("tag", fields.sound);
    if (QLabel *status = findChild<QLabel *>(QStringLiteral("lblStatus")))
        status->setProperty("tag", fields.playFlag);
    showReminderCaption();
}

void TodoEditor::showReminderCaption()
{
    // A stored caption is plain text: an "&" in it is no accelerator mark.
    QString shown = m_reminder.caption;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_cmdReminder->setText(shown);
}

QString TodoEditor::subject() const
{
    return m_txtSubject->text();
}

bool TodoEditor::percentAcceptable() const
{
    return percent::value(m_txtComplete->text()).has_value();
}

void TodoEditor::stepPercentUp()
{
    m_txtComplete->showStep(percent::stepUp(percent::stepStart(m_txtComplete->text())));
}

void TodoEditor::stepPercentDown()
{
    m_txtComplete->showStep(percent::stepDown(percent::stepStart(m_txtComplete->text())));
}

void TodoEditor::percentEnter()
{
    if (const std::optional<int> value = percent::value(m_txtComplete->text())) {
        m_txtComplete->setText(QString::number(*value) + QLatin1Char('%'));
        m_cmdReminder->setFocus(Qt::TabFocusReason);
        return;
    }
    m_services.messages->show(this, QStringLiteral("Percent complete must be a number between 0 to 100."),
                              QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
    m_txtComplete->setFocus(Qt::OtherFocusReason);
}

bool TodoEditor::leavePercent()
{
    QString number = m_txtComplete->text();
    number.remove(QLatin1Char('%'));
    if (const std::optional<int> value = percent::value(number)) {
        m_txtComplete->setText(QString::number(*value) + QLatin1Char('%'));
        m_lastGoodPercent = m_txtComplete->text();
        emit fieldLeft();
        return true;
    }
    m_txtComplete->setText(number);
    m_services.messages->show(this, QStringLiteral("Complete percent must be a number between 0 to 100."),
                              QStringLiteral("Percent overflow"), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
    m_txtComplete->selectAll();
    return false;
}
