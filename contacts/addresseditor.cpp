#include "contacts/addresseditor.h"

#include "contacts/addresslist.h"
#include "contacts/renamedialog.h"
#include "contacts/wrappingbutton.h"
#include "platform/messageboxes.h"
#include "widgets/elidingdelegate.h"
#include "widgets/selectonfocuslineedit.h"
#include "widgets/placedbutton.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *makeButton(QPushButton *button, const QString &name, const QRect &geometry)
{
    // Every address button waits for text or a chosen address.
    button->setEnabled(false);
    return placeButton(button, name, geometry);
}

} // namespace

AddressEditor::AddressEditor(const Services &services, QWidget *frame)
    : QObject(frame)
    , m_services(services)
{
    auto *label = new QLabel(QStringLiteral("&Email Addresses:"), frame);
    label->setGeometry(6, 144, 108, 14);

    m_txtEmail = new SelectOnFocusLineEdit(frame);
    m_txtEmail->setObjectName(QStringLiteral("txtEmail"));
    m_txtEmail->setGeometry(9, 161, 169, 18);
    label->setBuddy(m_txtEmail);

    m_cmdAddEmail = makeButton(new QPushButton(QStringLiteral("&Add"), frame),
                               QStringLiteral("cmdAddEmail"), {183, 160, 51, 19});

    m_lstCurEmails = new QListWidget(frame);
    m_lstCurEmails->setObjectName(QStringLiteral("lstCurEmails"));
    m_lstCurEmails->setAccessibleName(QStringLiteral("Addresses of this contact"));
    m_lstCurEmails->setGeometry(9, 181, 169, 98);
    m_lstCurEmails->setSelectionMode(QAbstractItemView::SingleSelection);
    new ElidingDelegate(m_lstCurEmails);

    m_cmdEditEmail = makeButton(new QPushButton(QStringLiteral("Edi&t"), frame),
                                QStringLiteral("cmdEditEmail"), {183, 207, 51, 18});
    m_cmdRemoveEmail = makeButton(new QPushButton(QStringLiteral("&Remove"), frame),
                                  QStringLiteral("cmdRemoveEmail"), {182, 227, 52, 19});
    m_cmdDefault = makeButton(new WrappingButton(QStringLiteral("&Set as Default"), frame),
                              QStringLiteral("cmdDefault"), {182, 248, 52, 31});

    QWidget::setTabOrder(m_txtEmail, m_cmdAddEmail);
    QWidget::setTabOrder(m_cmdAddEmail, m_lstCurEmails);
    QWidget::setTabOrder(m_lstCurEmails, m_cmdEditEmail);
    QWidget::setTabOrder(m_cmdEditEmail, m_cmdRemoveEmail);
    QWidget::setTabOrder(m_cmdRemoveEmail, m_cmdDefault);

    connect(m_txtEmail, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_cmdAddEmail->setEnabled(!text.isEmpty()); });
    // Add is the default button while the box has the focus: Enter presses it.
    m_txtEmail->installEventFilter(this);
    connect(m_txtEmail, &QLineEdit::returnPressed, this, [this] {
        if (m_cmdAddEmail->isEnabled())
            m_cmdAddEmail->click();
    });
    connect(m_cmdAddEmail, &QPushButton::clicked, this, &AddressEditor::add);
    connect(m_lstCurEmails, &QListWidget::itemSelectionChanged, this,
            &AddressEditor::updateEntryButtons);
    connect(m_lstCurEmails, &QListWidget::itemDoubleClicked, this, &AddressEditor::setDefault);
    connect(m_cmdDefault, &QPushButton::clicked, this, &AddressEditor::setDefault);
    connect(m_cmdEditEmail, &QPushButton::clicked, this, &AddressEditor::edit);
    connect(m_cmdRemoveEmail, &QPushButton::clicked, this, &AddressEditor::remove);
}

bool AddressEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtEmail && event->type() == QEvent::FocusIn)
        m_cmdAddEmail->setDefault(true);
    else if (watched == m_txtEmail && event->type() == QEvent::FocusOut)
        m_cmdAddEmail->setDefault(false);
    return QObject::eventFilter(watched, event);
}

QStringList AddressEditor::entries() const
{
    QStringList result;
    result.reserve(m_lstCurEmails->count());
    for (int i = 0; i < m_lstCurEmails->count(); ++i)
        result.append(m_lstCurEmails->item(i)->text());
    return result;
}

void AddressEditor::setEntries(const QStringList &entries)
{
    show(entries, -1);
}

void AddressEditor::show(const QStringList &entries, int selected)
{
    m_lstCurEmails->clear();
    m_lstCurEmails->addItems(entries);
    markDefault();
    if (selected >= 0)
        m_lstCurEmails->setCurrentRow(selected);
    updateEntryButtons();
}

void AddressEditor::markDefault()
{
    // The marker stands at the end, where a long address cuts it off: the bold entry still
    // shows which one it is.
    for (int row = 0; row < m_lstCurEmails->count(); ++row) {
        QListWidgetItem *item = m_lstCurEmails->item(row);
        QFont font = m_lstCurEmails->font();
        font.setBold(addresslist::hasMarker(item->text()));
        item->setFont(font);
    }
}

int AddressEditor::selectedRow() const
{
    const QList<QListWidgetItem *> selected = m_lstCurEmails->selectedItems();
    return selected.isEmpty() ? -1 : m_lstCurEmails->row(selected.first());
}

void AddressEditor::updateEntryButtons()
{
    // An entry operation always needs a selected entry.
    const bool hasSelection = selectedRow() >= 0;
    m_cmdEditEmail->setEnabled(hasSelection);
    m_cmdRemoveEmail->setEnabled(hasSelection);
    m_cmdDefault->setEnabled(hasSelection);
}

void AddressEditor::add()
{
    const QString text = m_txtEmail->text();
    if (!addresslist::isValidAddress(text)) {
        const auto answer = m_services.messages->show(
            m_txtEmail->window(),
            QStringLiteral("the e-mail address you have entered is not a valid internet e-mail "
                           "address.\nDo you still want to add this e-mail address?"),
            QString(), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation);
        if (answer != MessageBoxes::Answer::Yes)
            return;
    }
    const QStringList before = entries();
    m_lstCurEmails->addItem(addresslist::added(before, text).constLast());
    markDefault();
    m_txtEmail->clear();
    m_txtEmail->setFocus();
    emit changed();
}

void AddressEditor::remove()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const addresslist::Removal removal = addresslist::removed(entries(), row);
    show(removal.entries, removal.selected);
    emit changed();
}

void AddressEditor::setDefault()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QStringList before = entries();
    const QStringList after = addresslist::withDefault(before, row);
    if (after != before)
        show(after, row);
    emit changed();
}

void AddressEditor::edit()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString entry = m_lstCurEmails->item(row)->text();
    const bool isDefault = addresslist::hasMarker(entry);
    RenameDialog dialog(m_services, m_lstCurEmails->window());
    dialog.setAddress(isDefault ? addresslist::withoutMarker(entry) : entry, isDefault);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (QListWidgetItem *item = m_lstCurEmails->item(row))
        item->setText(dialog.entryText());
    markDefault();
    m_lstCurEmails->setFocus();
    emit changed();
}
