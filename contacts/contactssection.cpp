#include "contacts/contactssection.h"

#include "widgets/arbutton.h"

#include <QListWidget>

ContactsSection::ContactsSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraEmails"), QStringLiteral("My Email Addresses"),
              QStringLiteral("lstEmails"), QStringLiteral("Email"), parent)
{
    addArButton(QStringLiteral("arbEmailAdd"), {4, 264}, QStringLiteral("arb_add"),
                QStringLiteral("Add a new e-mail address"), false);
    addArButton(QStringLiteral("arbEmailRemove"), {35, 264}, QStringLiteral("arb_remove"),
                QStringLiteral("Remove selected  e-mail address"), true);
    addArButton(QStringLiteral("arbEmailOE"), {65, 264}, QStringLiteral("arb_mail"),
                QStringLiteral("Open default e-mail application to send an e-mail to selected address"),
                true);
}

void ContactsSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        findChild<ARButton *>(QStringLiteral("arbEmailOE"))->setEnabled(false);
        findChild<ARButton *>(QStringLiteral("arbEmailRemove"))->setEnabled(false);
    }
}

void ContactsSection::recordLoaded() {}

void ContactsSection::showFirstLoaded() {}
