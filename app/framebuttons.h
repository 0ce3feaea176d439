// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/imagebutton.h"
#include "store/datafile.h"

#include <QHash>
#include <QObject>

class QAbstractButton;
class QKeySequence;
class QuoteBox;
class QWidget;

/// The main window's picture buttons: the four section buttons on the left and the commands
/// (Say, Save, Sync, About, Exit, Minimize, Close), each with its hover and pressed pictures, its key
/// and its click sound. What a button does is the window's: the buttons only report the choice.
class FrameButtons : public QObject
{
    Q_OBJECT
public:
    enum class Command { Say, Save, Sync, About, Exit, Min, Close };

    /// quote loses its underline where the hover pictures go out.
    FrameButtons(QWidget *window, QuoteBox *quote);

    /// Made in the window's tab order: the section buttons first, the commands after the quote.
    void createSectionButtons();
    void createCommandButtons();

    /// Hides the hover pictures: with a section name those of the other three sections, with ""
    /// every one (and the quote's underline), with any other text none.
    void hideHoverPictures(const QString &exceptSection);
    /// Shows every section button raised again.
    void releaseSectionButtons();
    /// Shows the section's button pressed (and checked, for the keyboard).
    void pressSectionButton(SectionId id);
    void hideHover(Command command);

signals:
    void sectionChosen(SectionId id);
    /// The pressed button of the shown section was clicked: no section is shown any more.
    void sectionDropped();
    void commandChosen(FrameButtons::Command command);
    /// A button lit up or was released: the window plays its click.
    void clickWanted();

private:
    /// The key clicks the button, from anywhere in the window.
    void addShortcut(const QKeySequence &key, QAbstractButton *button);

    QWidget *m_window;
    QuoteBox *m_quote;
    ImageButton m_sectionButtons[kSectionCount];
    QHash<int, ImageButton> m_commandButtons;
    QHash<QString, QWidget *> m_hoverPictures;
};
