// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/section.h"

#include "platform/messageboxes.h"
#include "store/recordlistmodel.h"
#include "widgets/arbutton.h"
#include "widgets/artwork.h"
#include "widgets/fieldvalidation.h"
#include "widgets/look.h"
#include "widgets/recordlistview.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

Section::Section(const Services &services, const QString &objectName, const QString &caption,
                 const QString &listName, const QString &iconKey, RecordListModel *model,
                 QUndoStack *history, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_services(services)
    , m_model(model)
    , m_edits(model, history)
{
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->count() > 0)
            recordsLoaded();
    });
    setObjectName(objectName);
    setGeometry(176, 44, 420, 309);
    setMouseTracking(true);
    setAutoFillBackground(true);
    look::applyPanel(this);
    hide();

    m_list = new RecordListView(m_model, recordIcon(iconKey), this);
    m_list->setObjectName(listName);
    m_list->setAccessibleName(caption);
    m_list->setGeometry(6, 17, 159, 243);
    m_list->viewport()->setMouseTracking(true);
    m_list->installEventFilter(this);
    // Runs after the editor's caption was kept, so a first naming has joined its Add by then.
    connect(m_list->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { m_edits.endNaming(); });
    // A caption being typed in place is a box like any other: leaving the list, or saving,
    // keeps what was typed.
    FieldValidation::instance().watch(m_list, [this] {
        commitCaptionEdit();
        return true;
    });
}

void Section::commitCaptionEdit()
{
    const QModelIndex index = m_list->currentIndex();
    QWidget *editor = m_list->indexWidget(index);
    if (!editor)
        return;
    QAbstractItemDelegate *delegate = m_list->itemDelegateForIndex(index);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor);
}

bool Section::removeSelectedRecord(QWidget *questionParent, const QString &question)
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return false;
    // The question is about this record: if something removes it while the question is open
    // (an alarm's OK), a Yes must not take the next one with it.
    const QPersistentModelIndex asked(m_model->index(row));
    const auto answer = m_services.messages->show(questionParent, question, QStringLiteral("Confirm"),
                                                  MessageBoxes::Buttons::YesNo,
                                                  MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Yes && asked.isValid()) {
        m_edits.remove(asked.row(), QStringLiteral("Remove"));
        m_list->selectRow(m_list->currentRow());
    }
    return true;
}

void Section::showRecord(int row)
{
    m_list->selectRow(row);
    refresh();
}

void Section::reportTypingIn(const QList<QWidget *> &boxes)
{
    for (QWidget *box : boxes) {
        if (auto *line = qobject_cast<QLineEdit *>(box))
            connect(line, &QLineEdit::textEdited, this, &Section::typed);
        else if (auto *text = qobject_cast<QPlainTextEdit *>(box))
            connect(text, &QPlainTextEdit::textChanged, this, &Section::typed);
        else if (auto *list = qobject_cast<QComboBox *>(box))
            connect(list, &QComboBox::activated, this, &Section::typed);
    }
}

ARButton *Section::addArButton(const QString &name, const QPoint &position, const QString &picture,
                               const QString &toolTip, bool hasDisabledPicture)
{
    auto *button = new ARButton(artwork(picture),
                                hasDisabledPicture ? artwork(picture + QStringLiteral("_d")) : QPixmap(),
                                toolTip, this);
    button->setObjectName(name);
    button->setGeometry(QRect(position, QSize(30, 28)));
    return button;
}

void Section::paintEvent(QPaintEvent *)
{
    // Drawn here so that only the caption is bold: a bold frame font would pass on to every
    // box inside it.
    QPainter painter(this);
    const QColor panel = palette().color(QPalette::Window);
    painter.fillRect(rect(), panel);
    painter.setPen(QColor(199, 192, 160));
    painter.drawRect(rect().adjusted(0, 7, -1, -1));
    QFont captionFont = font();
    captionFont.setBold(true);
    painter.setFont(captionFont);
    const QRect text = QFontMetrics(captionFont).boundingRect(title()).translated(8, 0);
    const QRect band(text.left() - 3, 0, text.width() + 6, 15);
    painter.fillRect(band, panel);
    painter.setPen(QColor(0, 54, 89));
    painter.drawText(band, Qt::AlignCenter, title());
    if (m_listReachedByKey && m_list->hasFocus())
        look::drawFocusMark(painter, m_list->geometry().adjusted(-3, -3, 3, 3));
}

bool Section::eventFilter(QObject *watched, QEvent *event)
{
    // Reached with Tab, the list is marked around, as an empty one shows no focus of its own;
    // a click marks nothing, and a dialog coming and going keeps the mark.
    if (watched == m_list && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (event->type() == QEvent::FocusIn && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            m_listReachedByKey = true;
        else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_listReachedByKey = false;
        update();
    }
    return QGroupBox::eventFilter(watched, event);
}
