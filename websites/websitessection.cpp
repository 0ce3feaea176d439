#include "websites/websitessection.h"

#include "widgets/arbutton.h"

#include <QListWidget>

WebsitesSection::WebsitesSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraWebsite"), QStringLiteral("My Favorite Websites"),
              QStringLiteral("lstWebsites"), QStringLiteral("Web"), parent)
{
    addArButton(QStringLiteral("arbWebAdd"), {4, 264}, QStringLiteral("arb_add"),
                QStringLiteral("Add a new URL"), false);
    addArButton(QStringLiteral("arbWebRemove"), {35, 264}, QStringLiteral("arb_remove"),
                QStringLiteral("Remove selected URL"), true);
    addArButton(QStringLiteral("arbWebIE"), {65, 264}, QStringLiteral("arb_browse"),
                QStringLiteral("Open default browser and navigate to selected URL"), true);
}

void WebsitesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        findChild<ARButton *>(QStringLiteral("arbWebRemove"))->setEnabled(false);
        findChild<ARButton *>(QStringLiteral("arbWebIE"))->setEnabled(false);
    }
}

void WebsitesSection::recordLoaded() {}

void WebsitesSection::showFirstLoaded() {}
