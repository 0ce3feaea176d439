#include "contacts/contactssection.h"

#include "app/listrecords.h"
#include "contacts/addresseditor.h"
#include "contacts/addresslist.h"
#include "contacts/contacteditor.h"
#include "contacts/mailto.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "store/escapes.h"
#include "widgets/arbutton.h"
#include "widgets/fieldvalidation.h"

#include <QLineEdit>
#include <QListWidget>

#include <memory>

namespace {
const QString kNewContact = QStringLiteral("New Email");
}

ContactsSection::ContactsSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraEmails"), QStringLiteral("My Email Addresses"),
              QStringLiteral("lstEmails"), QStringLiteral("Email"), parent)
{
    ARButton *add = addArButton(QStringLiteral("arbEmailAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new e-mail address"), false);
    m_arbEmailRemove = addArButton(QStringLiteral("arbEmailRemove"), {35, 264},
                                   QStringLiteral("arb_remove"),
                                   QStringLiteral("Remove selected  e-mail address"), true);
    m_arbEmailOE = addArButton(
        QStringLiteral("arbEmailOE"), {65, 264}, QStringLiteral("arb_mail"),
        QStringLiteral("Open default e-mail application to send an e-mail to selected address"),
        true);
    add->setAccessibleName(QStringLiteral("Add contact"));
    m_arbEmailRemove->setAccessibleName(QStringLiteral("Remove contact"));
    m_arbEmailOE->setAccessibleName(QStringLiteral("Send e-mail"));
    connect(add, &ARButton::clicked, this, &ContactsSection::addContact);
    connect(m_arbEmailRemove, &ARButton::clicked, this, &ContactsSection::removeContact);
    connect(m_arbEmailOE, &ARButton::clicked, this, &ContactsSection::mailContact);

    m_editor = new ContactEditor(services, this);
    connect(m_editor->addresses(), &AddressEditor::changed, this, &ContactsSection::PutInfo2Lst);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_editor->firstNameBox(),
                     [this] { return nameBoxLeft(displayname::Box::FirstName); });
    validation.watch(m_editor->lastNameBox(),
                     [this] { return nameBoxLeft(displayname::Box::LastName); });
    validation.watch(m_editor->titleBox(), [this] {
        PutInfo2Lst();
        return true;
    });
    validation.watch(m_editor->displayBox(),
                     [this] { return nameBoxLeft(displayname::Box::Display); });

    // The edit frame always shows the selected contact, however the selection moved (a click,
    // the keyboard, a removal), so a name box never writes into another contact.
    connect(list(), &QListWidget::currentItemChanged, this, [this](QListWidgetItem *now) {
        if (now)
            contactClicked();
    });
    connect(list(), &QListWidget::itemClicked, this, &ContactsSection::contactClicked);
    // A click on the empty space below the contacts leaves none selected.
    connect(list(), &QListWidget::itemSelectionChanged, this, [this] {
        if (list()->count() > 0)
            refresh();
    });
    connect(list(), &QListWidget::itemDoubleClicked, this, &ContactsSection::mailDefault);
}

void ContactsSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        m_arbEmailOE->setEnabled(false);
        m_arbEmailRemove->setEnabled(false);
    }
}

void ContactsSection::recordLoaded()
{
    m_editor->show();
}

void ContactsSection::showFirstLoaded()
{
    ReadInfoFromLst();
}

void ContactsSection::PutInfo2Lst()
{
    if (list()->count() == 0)
        listrecords::append(list(), kNewContact, QString());
    QListWidgetItem *item = listrecords::selected(list());
    if (!item)
        return;
    listrecords::setTag(item, m_editor->record().toTag());
}

void ContactsSection::ReadInfoFromLst()
{
    QListWidgetItem *item = listrecords::selected(list());
    const QString tag = listrecords::tag(item);
    if (tag.isEmpty()) {
        m_editor->clear();
        return;
    }
    m_editor->showRecord(ContactRecord::fromTag(tag));
    m_editor->displayBox()->setText(item->text());
}

QString ContactsSection::GetDefaultEmail() const
{
    const QStringList fields = escapes::splitFields(listrecords::tag(listrecords::selected(list())));
    return addresslist::defaultAddress(fields.value(3));
}

void ContactsSection::refresh()
{
    const bool any = list()->count() > 0;
    // With none selected there is nothing to act on or type into.
    const bool selected = listrecords::selected(list()) != nullptr;
    m_arbEmailRemove->setEnabled(selected);
    m_arbEmailOE->setEnabled(selected);
    m_editor->setVisible(any);
    m_editor->setEnabled(selected);
    if (any)
        ReadInfoFromLst();
    else
        m_editor->clear();
}

void ContactsSection::addContact()
{
    // Focus first: a name box still being edited is stored into the contact it shows.
    list()->setFocus();
    QListWidgetItem *item = listrecords::append(list(), kNewContact, iconKey());
    list()->setCurrentItem(item);
    list()->editItem(item);
    refresh();
}

void ContactsSection::removeContact()
{
    if (!listrecords::selected(list()))
        return;
    list()->setFocus();
    const auto answer = m_services.messages->show(
        window(), QStringLiteral("Do you want to remove the selected email address?"),
        QStringLiteral("Confirm"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Yes) {
        if (QListWidgetItem *item = listrecords::selected(list())) {
            std::unique_ptr<QListWidgetItem> removed(list()->takeItem(list()->row(item)));
            if (QListWidgetItem *current = list()->currentItem())
                current->setSelected(true);
        }
    }
    list()->setFocus();
    refresh();
}

void ContactsSection::contactClicked()
{
    if (list()->count() > 0)
        ReadInfoFromLst();
    else
        m_editor->clear();
    QListWidgetItem *item = listrecords::selected(list());
    if (item && item->text() != kNewContact)
        m_editor->displayBox()->setText(item->text());
    // ReadInfoFromLst has reloaded the address list with no entry selected, so Edit, Remove
    // and Set as Default are off.
}

void ContactsSection::mailContact()
{
    if (!listrecords::selected(list()))
        return;
    if (m_editor->addresses()->entries().isEmpty()) {
        m_services.messages->show(window(),
                                  QStringLiteral("There is no e-mail address for this item."),
                                  QString(), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Exclamation);
        return;
    }
    mailDefault();
}

void ContactsSection::mailDefault()
{
    const QString address = GetDefaultEmail();
    // What the mail program makes of it is its own affair: the outcome is not examined.
    if (listrecords::selected(list()) && !address.isEmpty())
        m_services.shell->open(mailtoText(address));
}

bool ContactsSection::nameBoxLeft(displayname::Box box)
{
    PutInfo2Lst();
    QListWidgetItem *item = listrecords::selected(list());
    displayname::State state{m_editor->firstNameBox()->text(), m_editor->lastNameBox()->text(),
                             m_editor->displayBox()->text(), std::nullopt};
    if (item)
        state.caption = item->text();
    const displayname::State after = displayname::afterLeaving(box, state);
    if (after.display != state.display)
        m_editor->displayBox()->setText(after.display);
    if (item && after.caption != state.caption)
        item->setText(*after.caption);
    return true;
}
