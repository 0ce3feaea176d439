// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/framebuttons.h"
#include "platform/services.h"
#include "store/datafile.h"

#include <QPixmap>
#include <QWidget>

class Document;
class FindBar;
class QLabel;
class QTimer;
class QuoteBox;
class RecordListModel;
class SaveFeedback;
class Section;
class SyncSetup;
class TimerPause;

/// frmMain: the borderless main window that shows a document: its picture buttons, the four
/// sections, the clock, the quote and the Save feedback.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    /// The document outlives the window.
    MainWindow(const Services &services, Document *document, QWidget *parent = nullptr);

    /// The load step: clock text, quotes, the document, first quote change, in this order.
    void load();
    /// Loaded and not yet closed: it holds what the user has.
    bool isOpen() const;
    Document *document() const { return m_document; }

    /// Shows every section button raised again.
    void releaseSectionButtons() { m_buttons->releaseSectionButtons(); }
    /// Hides the four sections.
    void hideSections();

    Section *section(SectionId id) const { return m_sections[int(id)]; }
    QuoteBox *quoteBox() const { return m_quoteBox; }
    FindBar *findBar() const { return m_findBar; }
    SyncSetup *sync() const { return m_sync; }

    /// Shows the current time in the clock; tmrTime calls it every second.
    void updateClock();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createSections();
    void selectSection(SectionId id);
    void deselectSection();
    /// After an undo or redo: the section of model shows row selected.
    void showChange(RecordListModel *model, int row);
    void runCommand(FrameButtons::Command command);
    void exitWithConfirmation();
    void sayTime();
    void playClick();
    /// Hands the document what is typed in the box being edited.
    void commitTyping(bool quietly);

    const Services &m_services;
    Document *m_document;
    QPixmap m_background;
    Section *m_sections[kSectionCount] = {};
    FrameButtons *m_buttons = nullptr;
    QLabel *m_clockLabel = nullptr;
    QTimer *m_clockTimer = nullptr;
    TimerPause *m_timerPause = nullptr;
    QuoteBox *m_quoteBox = nullptr;
    SaveFeedback *m_saveFeedback = nullptr;
    FindBar *m_findBar = nullptr;
    SyncSetup *m_sync = nullptr;
    bool m_closed = false;
};
