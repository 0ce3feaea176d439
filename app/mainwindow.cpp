// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "about/aboutdialog.h"
#include "app/findbar.h"
#include "app/importexport.h"
#include "app/syncsetup.h"
#include "app/timerpause.h"
#include "app/undoactions.h"
#include "app/windowdrag.h"
#include "contacts/contactssection.h"
#include "core/document.h"
#include "notes/notessection.h"
#include "platform/clock.h"
#include "platform/clocktext.h"
#include "platform/messageboxes.h"
#include "platform/soundplayer.h"
#include "quotes/quotebox.h"
#include "speech/saytime.h"
#include "todos/todossection.h"
#include "websites/websitessection.h"
#include "widgets/artwork.h"
#include "widgets/fieldvalidation.h"
#include "widgets/look.h"
#include "widgets/overlaybutton.h"
#include "widgets/recordlistview.h"
#include "widgets/savefeedback.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>

MainWindow::MainWindow(const Services &services, Document *document, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_services(services)
    , m_document(document)
    , m_background(artwork(QStringLiteral("main_background")))
{
    setObjectName(QStringLiteral("frmMain"));
    // Drawn on its own artwork: its colours stay its own under any desktop theme.
    look::applyPalette(this);
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(artworkIcon(QStringLiteral("quillet")));
    setFixedSize(600, 400);
    setMouseTracking(true);
    setFont(look::verdana());

    m_quoteBox = new QuoteBox(services, this);
    m_buttons = new FrameButtons(this, m_quoteBox);
    connect(m_buttons, &FrameButtons::sectionChosen, this, &MainWindow::selectSection);
    connect(m_buttons, &FrameButtons::sectionDropped, this, &MainWindow::deselectSection);
    connect(m_buttons, &FrameButtons::commandChosen, this, &MainWindow::runCommand);
    connect(m_buttons, &FrameButtons::clickWanted, this, &MainWindow::playClick);

    // Tab runs in the order things are made, as one reads the window: the section buttons, the
    // shown section, the quote, then Say to Close.
    m_buttons->createSectionButtons();
    createSections();

    // The quote opens its editor on a click; by key through a button lying over it.
    m_quoteBox->setAccessibleName(QStringLiteral("Quote"));
    auto *quoteKeys = new OverlayButton(QStringLiteral("Edit quotes"), m_quoteBox->label()->toolTip(), this);
    quoteKeys->setObjectName(QStringLiteral("Picture1_keys"));
    // A little larger than the quote, so that its focus mark runs round the text, not through it.
    quoteKeys->setGeometry(m_quoteBox->geometry().adjusted(-3, -3, 3, 3));
    connect(quoteKeys, &QAbstractButton::clicked, m_quoteBox, &QuoteBox::openEditor);

    m_buttons->createCommandButtons();
    m_findBar = new FindBar(this, {std::begin(m_sections), std::end(m_sections)});
    // The search field is reached with the title bar's other controls, before Minimize.
    QWidget::setTabOrder(findChild<QWidget *>(QStringLiteral("butExit_keys")), m_findBar->field());
    connect(m_findBar, &FindBar::sectionWanted, this, &MainWindow::selectSection);
    // The window itself holds the focus at first: no control shows a focus mark until Tab
    // moves it, and the first Tab reaches the first section button.
    setFocus();

    auto *drag = new WindowDrag(this);
    drag->addHandle(m_quoteBox);
    for (Section *section : m_sections) {
        drag->addPanel(section);
        drag->addPointerArea(section->list()->viewport());
    }
    connect(drag, &WindowDrag::pointerMoved, m_buttons, [this] { m_buttons->hideHoverPictures(QString()); });

    m_clockLabel = new QLabel(this);
    m_clockLabel->setObjectName(QStringLiteral("lblTime"));
    m_clockLabel->setGeometry(9, 364, 149, 29);
    m_clockLabel->setText(QStringLiteral("Label1"));
    m_clockLabel->setFont(look::verdana(8.25, true));
    m_clockLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_clockLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_clockLabel->setAccessibleDescription(QStringLiteral("Clock"));

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("tmrTime"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::updateClock);
    m_clockTimer->start();
    m_timerPause = new TimerPause(*m_services.clock, this);

    m_saveFeedback = new SaveFeedback(this);
    m_sync = new SyncSetup(m_services, m_document, this);

    m_document->setDialogParent(this);
    connect(m_document, &Document::pendingEditsWanted, this, &MainWindow::commitTyping);
}

void MainWindow::createSections()
{
    QUndoStack *history = m_document->undoStack();
    m_sections[int(SectionId::Websites)] = new WebsitesSection(m_services, m_document->websites(), history, this);
    m_sections[int(SectionId::Contacts)] = new ContactsSection(m_services, m_document->contacts(), history, this);
    m_sections[int(SectionId::Notes)] = new NotesSection(m_services, m_document->notes(), history, this);
    m_sections[int(SectionId::Todos)] = new TodosSection(m_services, m_document->todos(), history, this);
    // Typing counts as a change before the box is left, so the recovery copy holds it too.
    for (Section *section : m_sections)
        connect(section, &Section::typed, m_document, &Document::noteChange);
    auto *importExport = new ImportExport(m_services, m_document, this);
    for (int id = 0; id < kSectionCount; ++id)
        importExport->addList(SectionId(id), m_sections[id]->list());
    auto *undoActions = new UndoActions(m_document->undoStack(), this);
    connect(undoActions, &UndoActions::changeShown, this, &MainWindow::showChange);
}

void MainWindow::showChange(RecordListModel *model, int row)
{
    for (int id = 0; id < kSectionCount; ++id) {
        Section *section = m_sections[id];
        if (section->model() != model)
            continue;
        // The section changed comes up, as if its button were pressed (without the click).
        if (!section->isVisible()) {
            m_buttons->releaseSectionButtons();
            m_buttons->pressSectionButton(SectionId(id));
            hideSections();
            section->show();
        }
        section->showRecord(row);
    }
}

void MainWindow::load()
{
    m_clockLabel->setText(clockText(m_services.clock->now()));
    m_quoteBox->loadQuotes();
    m_document->load();
    m_sync->start();
    m_quoteBox->startChange();
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

bool MainWindow::isOpen() const
{
    return m_document->isOpen() && !m_closed;
}

void MainWindow::updateClock()
{
    m_clockLabel->setText(clockText(m_services.clock->now()));
}

void MainWindow::commitTyping(bool quietly)
{
    if (quietly)
        FieldValidation::instance().commitFocusedQuietly(this);
    else
        FieldValidation::instance().commitFocused();
}

void MainWindow::hideSections()
{
    // A box of a section being hidden hands the focus back to the window, not on to a picture
    // button that would light its focus mark after a click.
    if (QWidget *focus = focusWidget(); focus && focus != this && !qobject_cast<OverlayButton *>(focus))
        setFocus();
    for (Section *section : m_sections)
        section->hide();
}

void MainWindow::selectSection(SectionId id)
{
    m_buttons->releaseSectionButtons();
    m_buttons->pressSectionButton(id);
    hideSections();
    Section *section = m_sections[int(id)];
    section->show();
    // The to-do button plays its click before counting; the others after.
    if (id == SectionId::Todos)
        playClick();
    section->disableButtonsIfEmpty();
    if (id != SectionId::Todos)
        playClick();
}

void MainWindow::deselectSection()
{
    m_buttons->releaseSectionButtons();
    m_buttons->hideHoverPictures(QString());
    hideSections();
}

void MainWindow::runCommand(FrameButtons::Command command)
{
    switch (command) {
    case FrameButtons::Command::Say:
        sayTime();
        break;
    case FrameButtons::Command::Save:
        if (m_document->save())
            m_saveFeedback->start();
        break;
    case FrameButtons::Command::About: {
        AboutDialog about(m_services, this);
        // The Sync window is not modal: it opens once About is gone.
        connect(&about, &AboutDialog::syncWanted, m_sync, &SyncSetup::openWindow, Qt::QueuedConnection);
        about.exec();
        break;
    }
    case FrameButtons::Command::Sync:
        m_sync->openWindow();
        break;
    case FrameButtons::Command::Exit:
    case FrameButtons::Command::Close:
        exitWithConfirmation();
        break;
    case FrameButtons::Command::Min:
        m_buttons->hideHover(FrameButtons::Command::Min);
        setWindowState(windowState() | Qt::WindowMinimized);
        break;
    }
}

void MainWindow::exitWithConfirmation()
{
    const auto answer = m_services.messages->show(
        this, QStringLiteral("Are you sure you want to exit?"), QStringLiteral("Confirm"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer != MessageBoxes::Answer::Yes)
        return;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    close();
}

void MainWindow::sayTime()
{
    // While the time is spoken the window's timers hold, as the whole program waits for it;
    // then each goes on with the time it had left, so a quote or a feedback still comes on time.
    m_timerPause->pause(findChildren<QTimer *>());
    sayCurrentTime(m_services);
    m_timerPause->resume();
}

void MainWindow::playClick()
{
    m_services.sound->play(m_services.path(QStringLiteral("wave/click.wav")));
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // screen ratios such as 1.5
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(0, 59, 99));
    else
        painter.drawPixmap(0, 0, m_background);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Whatever closes the window saves first, and a failed save never keeps it open. Nothing
    // of the window ticks on meanwhile (an alarm must not come up over the closing window).
    event->accept();
    if (m_closed)
        return;
    m_closed = true;
    for (QTimer *timer : findChildren<QTimer *>())
        timer->stop();
    m_document->close();
}
