// SPDX-License-Identifier: GPL-3.0-or-later
#include "websites/websitessection.h"

#include "core/websitemodel.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "platform/shelltarget.h"
#include "websites/websiteeditor.h"
#include "widgets/arbutton.h"
#include "widgets/fieldvalidation.h"
#include "widgets/matchhighlight.h"
#include "widgets/recordlistview.h"

#include <QLineEdit>
#include <QPlainTextEdit>

WebsitesSection::WebsitesSection(const Services &services, WebsiteModel *records, QUndoStack *history,
                                 QWidget *parent)
    : Section(services, QStringLiteral("fraWebsite"), QStringLiteral("My Favorite Websites"),
              QStringLiteral("lstWebsites"), QStringLiteral("Web"), records, history, parent)
{
    ARButton *add = addArButton(QStringLiteral("arbWebAdd"), {4, 264}, QStringLiteral("arb_add"),
                                QStringLiteral("Add a new URL"), false);
    m_removeButton = addArButton(QStringLiteral("arbWebRemove"), {35, 264}, QStringLiteral("arb_remove"),
                           QStringLiteral("Remove selected URL"), true);
    m_openButton = addArButton(QStringLiteral("arbWebIE"), {65, 264}, QStringLiteral("arb_browse"),
                         QStringLiteral("Open default browser and navigate to selected URL"), true);
    add->setAccessibleName(QStringLiteral("Add website"));
    m_removeButton->setAccessibleName(QStringLiteral("Remove website"));
    m_openButton->setAccessibleName(QStringLiteral("Open website"));
    m_editor = new WebsiteEditor(this);
    reportTypingIn({m_editor->titleBox(), m_editor->urlBox(), m_editor->descriptionBox()});

    connect(add, &ARButton::clicked, this, &WebsitesSection::addWebsite);
    connect(m_removeButton, &ARButton::clicked, this, &WebsitesSection::removeSelectedWebsite);
    connect(m_openButton, &ARButton::clicked, this, [this] {
        openSelectedWebsite();
        refresh();
    });
    connect(list(), &RecordListView::clicked, this, &WebsitesSection::showSelectedWebsite);
    // Moving through the list with the keys shows each website as a click does; a click on the
    // empty space below the websites leaves none selected.
    connect(list(), &RecordListView::selectedRowChanged, this, [this] {
        if (list()->count() > 0)
            refresh();
    });
    connect(list(), &RecordListView::doubleClicked, this, &WebsitesSection::openSelectedWebsite);

    FieldValidation &validation = FieldValidation::instance();
    validation.watch(m_editor->titleBox(), [this] {
        titleLeft();
        return true;
    });
    for (QWidget *box : {static_cast<QWidget *>(m_editor->urlBox()),
                         static_cast<QWidget *>(m_editor->descriptionBox())}) {
        validation.watch(box, [this] {
            storeEditor();
            return true;
        });
    }
}

WebsiteModel *WebsitesSection::websites() const
{
    return static_cast<WebsiteModel *>(model());
}

void WebsitesSection::highlightMatches(const QString &needle)
{
    matchhighlight::highlight(m_editor->descriptionBox(), needle);
}

void WebsitesSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1) {
        m_removeButton->setEnabled(false);
        m_openButton->setEnabled(false);
    }
}

void WebsitesSection::storeEditor()
{
    if (websites()->count() == 0)
        websites()->appendRecord(websiterecord::placeholderCaption(), QString(), false);
    const int row = list()->selectedRow();
    if (row >= 0)
        websites()->setRecord(row, m_editor->fields());
}

void WebsitesSection::showSelectedWebsite()
{
    m_editor->setFields(websites()->record(list()->selectedRow()));
}

void WebsitesSection::titleLeft()
{
    storeEditor();
    const int row = list()->selectedRow();
    if (row >= 0)
        websites()->setCaption(row, websiterecord::captionAfterTitle(websites()->caption(row),
                                                                  m_editor->titleBox()->text()));
}

void WebsitesSection::refresh()
{
    const bool any = list()->count() > 0;
    // With none selected there is nothing to act on or type into.
    const bool selected = list()->selectedRow() >= 0;
    m_removeButton->setEnabled(selected);
    m_openButton->setEnabled(selected);
    m_editor->setVisible(any);
    m_editor->setEnabled(selected);
    if (any)
        showSelectedWebsite();
    else
        m_editor->setFields({});
}

void WebsitesSection::addWebsite()
{
    RecordListView *view = list();
    const int row = edits().add(websiterecord::placeholderCaption());
    view->setFocus();
    view->selectRow(row);
    view->editCaption(row);
    refresh();
}

void WebsitesSection::removeSelectedWebsite()
{
    if (!removeSelectedRecord(window(), QStringLiteral("Do you want to remove the selected website?")))
        return;
    list()->setFocus();
    refresh();
}

void WebsitesSection::openSelectedWebsite()
{
    const std::optional<QString> url =
        websites()->urlToOpen(list()->selectedRow());
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

void WebsitesSection::recordsLoaded()
{
    m_editor->show();
    showSelectedWebsite();
}
