#include "websites/websitessection.h"

#include "app/listrecords.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "platform/shelltarget.h"
#include "websites/websiteeditor.h"
#include "websites/websiterecord.h"
#include "widgets/arbutton.h"
#include "widgets/fieldvalidation.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <memory>

WebsitesSection::WebsitesSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraWebsite"), QStringLiteral("My Favorite Websites"),
              QStringLiteral("lstWebsites"), QStringLiteral("Web"), parent)
{
    ARButton *add = addArButton(QStringLiteral("arbWebAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new URL"), false);
    m_remove = addArButton(QStringLiteral("arbWebRemove"), {35, 264}, QStringLiteral("arb_remove"),
                           QStringLiteral("Remove selected URL"), true);
    m_open = addArButton(QStringLiteral("arbWebIE"), {65, 264}, QStringLiteral("arb_browse"),
                         QStringLiteral("Open default browser and navigate to selected URL"), true);
    add->setAccessibleName(QStringLiteral("Add website"));
    m_remove->setAccessibleName(QStringLiteral("Remove website"));
    m_open->setAccessibleName(QStringLiteral("Open website"));
    m_editor = new WebsiteEditor(this);

    connect(add, &ARButton::clicked, this, &WebsitesSection::addWebsite);
    connect(m_remove, &ARButton::clicked, this, &WebsitesSection::removeSelectedWebsite);
    connect(m_open, &ARButton::clicked, this, [this] {
        openSelectedWebsite();
        refresh();
    });
    connect(list(), &QListWidget::itemClicked, this, &WebsitesSection::ReadInfoFromLst_Web);
    // Moving through the list with the keys shows each website as a click does.
    connect(list(), &QListWidget::currentItemChanged, this, &WebsitesSection::ReadInfoFromLst_Web);
    // A click on the empty space below the websites leaves none selected.
    connect(list(), &QListWidget::itemSelectionChanged, this, [this] {
        if (list()->count() > 0)
            refresh();
    });
    connect(list(), &QListWidget::itemDoubleClicked, this, &WebsitesSection::openSelectedWebsite);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_editor->titleBox(), [this] {
        titleLeft();
        return true;
    });
    for (QWidget *box : {static_cast<QWidget *>(m_editor->urlBox()),
                         static_cast<QWidget *>(m_editor->descriptionBox())}) {
        validation.watch(box, [this] {
            PutInfo2Lst_Web();
            return true;
        });
    }
}

void WebsitesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        m_remove->setEnabled(false);
        m_open->setEnabled(false);
    }
}

void WebsitesSection::PutInfo2Lst_Web()
{
    QListWidget *websites = list();
    if (websites->count() == 0)
        listrecords::append(websites, websiterecord::placeholderCaption(), QString());
    if (QListWidgetItem *item = listrecords::selected(websites))
        listrecords::setTag(item, websiterecord::toTag(m_editor->fields()));
}

void WebsitesSection::ReadInfoFromLst_Web()
{
    m_editor->setFields(websiterecord::fromTag(listrecords::tag(listrecords::selected(list()))));
}

void WebsitesSection::titleLeft()
{
    PutInfo2Lst_Web();
    if (QListWidgetItem *item = listrecords::selected(list()))
        item->setText(websiterecord::captionAfterTitle(item->text(), m_editor->titleBox()->text()));
}

void WebsitesSection::refresh()
{
    const bool any = list()->count() > 0;
    // With none selected there is nothing to act on or type into.
    const bool selected = listrecords::selected(list()) != nullptr;
    m_remove->setEnabled(selected);
    m_open->setEnabled(selected);
    m_editor->setVisible(any);
    m_editor->setEnabled(selected);
    if (any)
        ReadInfoFromLst_Web();
    else
        m_editor->setFields({});
}

void WebsitesSection::addWebsite()
{
    QListWidget *websites = list();
    QListWidgetItem *item =
        listrecords::append(websites, websiterecord::placeholderCaption(), iconKey());
    websites->setFocus();
    websites->setCurrentItem(item);
    websites->editItem(item);
    refresh();
}

void WebsitesSection::removeSelectedWebsite()
{
    if (!listrecords::selected(list()))
        return;
    const auto answer = m_services.messages->show(
        window(), QStringLiteral("Do you want to remove the selected website?"),
        QStringLiteral("Confirm"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    QListWidget *websites = list();
    QListWidgetItem *item = listrecords::selected(websites);
    if (answer == MessageBoxes::Answer::Yes && item) {
        std::unique_ptr<QListWidgetItem> removed(websites->takeItem(websites->row(item)));
        if (QListWidgetItem *next = websites->currentItem())
            next->setSelected(true);
    }
    websites->setFocus();
    refresh();
}

void WebsitesSection::openSelectedWebsite()
{
    const std::optional<QString> url =
        websiterecord::urlToOpen(listrecords::tag(listrecords::selected(list())));
    if (!url || !mayOpen(*url))
        return;
    if (m_services.shell->open(*url) == Shell::Result::NotFound)
        m_services.messages->show(window(),
                                  QStringLiteral("This URL does not seem to be in correct format."),
                                  QStringLiteral("Wrong URL Format"), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Exclamation);
}

bool WebsitesSection::mayOpen(const QString &text)
{
    // The data file may come from elsewhere, and the desktop may run a file or a custom scheme.
    const QUrl target = urlForShellText(text);
    if (target.isEmpty() || opensWithoutAsking(target))
        return true;
    QString shown = target.toDisplayString(QUrl::PreferLocalFile);
    constexpr int kLongest = 300; // a data: address can be pages long
    if (shown.size() > kLongest)
        shown = shown.left(kLongest / 2) + QChar(0x2026) + shown.right(kLongest / 2);
    const QString question =
        QStringLiteral("This is not a web or e-mail address, and opening it may start a program:"
                       "\n\n%1\n\nOpen it?")
            .arg(shown);
    return m_services.messages->show(window(), question, QStringLiteral("Open"),
                                     MessageBoxes::Buttons::YesNoDefaultNo,
                                     MessageBoxes::Icon::Exclamation)
        == MessageBoxes::Answer::Yes;
}

void WebsitesSection::recordLoaded()
{
    m_editor->show();
}

void WebsitesSection::showFirstLoaded()
{
    ReadInfoFromLst_Web();
}
