// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/section.h"

class ARButton;
class WebsiteEditor;
class WebsiteModel;

/// fraWebsite: favourite websites with title, URL and description, opened by the desktop.
class WebsitesSection : public Section
{
    Q_OBJECT
public:
    WebsitesSection(const Services &services, WebsiteModel *records, QUndoStack *history, QWidget *parent);

    void disableButtonsIfEmpty() override;
    void highlightMatches(const QString &needle) override;

    WebsiteModel *websites() const;

    /// Writes the three boxes into the selected website (adding a "New URL" website to an
    /// empty list first). Never changes a caption.
    void storeEditor();
    /// Shows the selected website in the three boxes; empty boxes for none or one never edited.
    void showSelectedWebsite();

    void addWebsite();
    void removeSelectedWebsite();
    /// Hands the selected website's URL to the desktop, asking first unless it is a web or mail
    /// address; says so when it is not a usable URL.
    void openSelectedWebsite();

protected:
    void recordsLoaded() override;
    /// Buttons and edit frame follow the list: on while it holds a website.
    void refresh() override;

private:
    void titleLeft();
    /// Asks before a text is handed on that is not a web or mail address; true to go on.
    bool mayOpen(const QString &text);

    WebsiteEditor *m_editor = nullptr;
    ARButton *m_removeButton = nullptr;
    ARButton *m_openButton = nullptr;
};
