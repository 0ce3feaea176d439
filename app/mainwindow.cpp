#include "app/mainwindow.h"

#include "about/aboutdialog.h"
#include "platform/appinfo.h"
#include "platform/clocktext.h"
#include "app/navigation.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"
#include "app/timerpause.h"
#include "contacts/contactssection.h"
#include "notes/notessection.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/soundplayer.h"
#include "quotes/quotebox.h"
#include "speech/saytime.h"
#include "store/recordlistmodel.h"
#include "store/recoverycopy.h"
#include "widgets/savefeedback.h"
#include "todos/todossection.h"
#include "websites/websitessection.h"
#include "widgets/artwork.h"
#include "widgets/fieldvalidation.h"
#include "widgets/overlaybutton.h"
#include "widgets/picturebox.h"
#include "widgets/look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

namespace {

struct SectionButtonLayout
{
    SectionId id;
    const char *normalName;
    const char *otherName;
    const char *art;
    QPoint position;
    int pressedOffsetX;
    const char *toolTip;
    const char *sectionName;
    bool selectsOnPress;
    const char *accessibleName;
    const char *shortcut;
};

const SectionButtonLayout kSectionButtons[kSectionCount] = {
    {SectionId::Websites, "butWeb", "butWeb", "web", {4, 46}, 0, "Your favorite websites", "websites", true, "Websites", "Ctrl+1"},
    {SectionId::Contacts, "butEmail", "butEmail", "email", {4, 84}, 0, "Your e-mail addresses", "emails", true, "E-mail contacts", "Ctrl+2"},
    {SectionId::Notes, "butNotes", "butNotes", "notes", {4, 122}, -1, "Your notes", "notes", false, "Notes", "Ctrl+3"},
    {SectionId::Todos, "butToDo", "butTodo", "todo", {4, 160}, -1, "Things you want to do", "todos", false, "To-dos", "Ctrl+4"},
};

struct CommandButtonLayout
{
    const char *name;
    const char *art;
    QPoint position;
    QSize size;
    const char *toolTip;
    bool clearsOtherHovers;
    bool soundOnRelease;
    bool handPointer;
    const char *accessibleName;
    const char *shortcut; // named in the tooltip; bound to the first button that names it
};

const CommandButtonLayout kCommandButtons[] = {
    {"butSay", "say", {44, 326}, {82, 28}, "Say the current time", false, false, true, "Say the time", ""},
    {"butSave", "save", {179, 368}, {82, 27}, "Save changes", false, true, true, "Save", "Ctrl+S"},
    {"butAbout", "about", {431, 368}, {82, 28}, "About this application", true, true, true, "About", "F1"},
    {"butExit", "exit", {514, 368}, {82, 28}, "Close and save", true, true, true, "Exit", "Ctrl+Q"},
    {"butMin", "min", {543, 8}, {25, 23}, "Minimize", true, true, false, "Minimize", ""},
    {"butClose", "close", {568, 8}, {25, 23}, "Close and save", true, true, false, "Close", "Ctrl+Q"},
};

/// A tooltip that names the button's key: "Save changes (Ctrl+S)".
QString withKey(const char *toolTip, const QKeySequence &key)
{
    const QString text = QLatin1String(toolTip);
    return key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
}

} // namespace

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_services(services)
    , m_store(services.dataFolder.isEmpty() ? services.folder : services.dataFolder)
    , m_background(artwork(QStringLiteral("main_background")))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(artworkIcon(QStringLiteral("quillet")));
    setFixedSize(600, 400);
    setMouseTracking(true);
    setFont(look::verdana());

    m_quoteBox = new QuoteBox(services, this);
    m_quoteBox->installEventFilter(this);

    // Tab runs in the order things are made, as one reads the window: the section buttons, the
    // shown section, the quote, then Say to Close.
    createSectionButtons();
    m_sections[int(SectionId::Websites)] = new WebsitesSection(services, this);
    m_sections[int(SectionId::Contacts)] = new ContactsSection(services, this);
    m_sections[int(SectionId::Notes)] = new NotesSection(services, this);
    m_sections[int(SectionId::Todos)] = new TodosSection(services, this);
    for (Section *section : m_sections) {
        section->installEventFilter(this);
        section->list()->viewport()->installEventFilter(this);
    }

    // The quote opens its editor on a click; by key through a button lying over it.
    m_quoteBox->setAccessibleName(QStringLiteral("Quote"));
    auto *quoteKeys = new OverlayButton(QStringLiteral("Edit quotes"), m_quoteBox->label()->toolTip(), this);
    quoteKeys->setObjectName(QStringLiteral("Picture1_keys"));
    quoteKeys->setGeometry(m_quoteBox->geometry());
    connect(quoteKeys, &QAbstractButton::clicked, m_quoteBox, &QuoteBox::openEditor);

    createCommandButtons();
    // The window itself holds the focus at first: no control shows a focus mark until Tab
    // moves it, and the first Tab reaches the first section button.
    setFocus();

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

    m_recoveryCopy = new RecoveryCopy(m_store.path(),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), this);
    // Not restarted by each change: a copy follows the first change within the interval even
    // while the user keeps typing; nothing runs while nothing changes.
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setObjectName(QStringLiteral("tmrRecovery"));
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(3000);
    connect(m_recoveryTimer, &QTimer::timeout, this, &MainWindow::writeRecoveryCopy);
}

void MainWindow::createSectionButtons()
{
    for (const SectionButtonLayout &layout : kSectionButtons) {
        const QKeySequence key(QLatin1String(layout.shortcut));
        ImageButton button = ImageButton::create(
            this, QLatin1String(layout.normalName), QLatin1String(layout.otherName),
            QLatin1String(layout.art), layout.position, QSize(166, 38), withKey(layout.toolTip, key),
            QLatin1String(layout.accessibleName), layout.pressedOffsetX);
        for (PictureBox *picture : {button.normal, button.hover, button.pressed})
            picture->setCursor(Qt::PointingHandCursor);
        m_hoverPictures.insert(button.hover->objectName(), button.hover);
        const SectionId id = layout.id;
        const QString name = QLatin1String(layout.sectionName);
        PictureBox *hover = button.hover;
        connect(button.normal, &PictureBox::moved, this, [this, name, hover] {
            hideHoverPictures(name);
            hover->show();
            playClick();
        });
        if (layout.selectsOnPress)
            connect(button.hover, &PictureBox::pressed, this, [this, id] { selectSection(id); });
        else
            connect(button.hover, &PictureBox::clicked, this, [this, id] { selectSection(id); });
        connect(button.pressed, &PictureBox::moved, this, [this] { hideHoverPictures(QString()); });
        connect(button.pressed, &PictureBox::released, this, &MainWindow::deselectSection);
        // By key the chosen section's button deselects, as pressing its pressed picture does.
        button.keys->setCheckable(true);
        connect(button.keys, &QAbstractButton::clicked, this, [this, id] {
            if (m_sectionButtons[int(id)].pressed->isHidden())
                selectSection(id);
            else
                deselectSection();
        });
        addShortcut(key, button.keys);
        m_sectionButtons[int(id)] = button;
    }
}

void MainWindow::createCommandButtons()
{
    int index = 0;
    QList<QKeySequence> bound;
    for (const CommandButtonLayout &layout : kCommandButtons) {
        const QString name = QLatin1String(layout.name);
        const QKeySequence key(QLatin1String(layout.shortcut));
        ImageButton button = ImageButton::create(this, name, name, QLatin1String(layout.art),
                                                 layout.position, layout.size,
                                                 withKey(layout.toolTip, key),
                                                 QLatin1String(layout.accessibleName));
        if (layout.handPointer) {
            button.normal->setCursor(Qt::PointingHandCursor);
            button.hover->setCursor(Qt::PointingHandCursor);
            // The pressed Save picture keeps the arrow.
            if (name != QLatin1String("butSave"))
                button.pressed->setCursor(Qt::PointingHandCursor);
        }
        m_hoverPictures.insert(button.hover->objectName(), button.hover);
        const Command command = Command(index);
        const bool clears = layout.clearsOtherHovers;
        const bool sound = layout.soundOnRelease;
        PictureBox *hover = button.hover;
        PictureBox *pressed = button.pressed;
        connect(button.normal, &PictureBox::moved, this, [this, clears, hover] {
            if (clears)
                hideHoverPictures(QString());
            hover->show();
            playClick();
        });
        const auto release = [this, command, sound, pressed] {
            pressed->hide();
            if (sound)
                playClick();
            runCommand(command);
        };
        connect(button.hover, &PictureBox::pressed, pressed, &QWidget::show);
        connect(button.hover, &PictureBox::released, this, release);
        // Space held shows the pressed picture as a held mouse button does.
        connect(button.keys, &QAbstractButton::pressed, pressed, &QWidget::show);
        connect(button.keys, &QAbstractButton::released, pressed, &QWidget::hide);
        connect(button.keys, &QAbstractButton::clicked, this, release);
        if (!key.isEmpty() && !bound.contains(key)) {
            addShortcut(key, button.keys);
            bound.append(key);
        }
        m_commandButtons.insert(index, button);
        ++index;
    }
}

void MainWindow::addShortcut(const QKeySequence &key, QAbstractButton *button)
{
    if (key.isEmpty())
        return;
    auto *shortcut = new QShortcut(key, this);
    // The key is a click on the button: the field being edited is left first, as for a click.
    connect(shortcut, &QShortcut::activated, button, [button] {
        if (FieldValidation::instance().commitFocused())
            button->click();
    });
}

void MainWindow::load()
{
    m_clockLabel->setText(clockText(m_services.clock->now()));
    m_quoteBox->loadQuotes();
    loadData();
    watchForChanges();
    m_quoteBox->startChange();
    m_loaded = true;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::updateClock()
{
    m_clockLabel->setText(clockText(m_services.clock->now()));
}

bool MainWindow::saveData()
{
    return save(false);
}

SectionModels MainWindow::models() const
{
    SectionModels models;
    for (int i = 0; i < kSectionCount; ++i)
        models[size_t(i)] = m_sections[i]->model();
    return models;
}

DataFileContent MainWindow::content(bool withTypedText)
{
    QWidget *focus = QApplication::focusWidget();
    auto *line = qobject_cast<QLineEdit *>(focus);
    const bool editingCaption = focus && qobject_cast<QAbstractItemView *>(focus->parentWidget()
                                                                             ? focus->parentWidget()->parentWidget()
                                                                             : nullptr);
    if (withTypedText && focus && focus->window() == this && !QApplication::activeModalWidget()
        && !editingCaption) {
        // As if the box were left, without a word to the user and without moving their cursor.
        const QString text = line ? line->text() : QString();
        const int cursor = line ? line->cursorPosition() : 0;
        {
            const MessageBoxes::Quiet quiet;
            FieldValidation::instance().commitFocused();
        }
        if (line && line->text() != text) {
            const QSignalBlocker blocker(line);
            line->setText(text);
            line->setCursorPosition(cursor);
        }
    }
    return contentOf(models());
}

bool MainWindow::save(bool closing)
{
    FieldValidation::instance().commitFocused();
    const DataFileContent content = this->content(false);
    FileError error;
    const bool saved = m_store.save(content, &error);
    if (!m_store.conflictCopy().isEmpty())
        tellOtherVersionKept(m_services.messages, this, m_store.path(), m_store.conflictCopy());
    if (saved) {
        m_recoveryTimer->stop();
        m_recoveryCopy->discard();
        return true;
    }
    QString kept;
    if (closing) {
        // The window goes whatever happens: what is typed must be somewhere before it does.
        FileError recoveryError;
        const QString where = m_recoveryCopy->writeNow(content, &recoveryError);
        kept = where.isEmpty()
            ? QStringLiteral("\n\nYour changes could not be kept elsewhere either (%1): they are "
                             "lost when Quillet ends.").arg(recoveryError.description)
            : QStringLiteral("\n\nYour changes were kept in \"%1\"; Quillet offers them at its next "
                             "start.").arg(where);
    }
    m_services.messages->show(
        this,
        QStringLiteral("Error in saving file.\nError number: %1\nError description: %2\n\n"
                       "Please e-mail %3 to help you.")
                .arg(error.number)
                .arg(error.description, appinfo::supportEmail())
            + kept,
        QStringLiteral("Error"), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
    return false;
}

void MainWindow::loadData()
{
    DataStore::LoadResult loaded = m_store.load();
    m_loadProblem = loaded.problem;
    m_loadUnreadable = loaded.unreadable;
    fillModels(models(), recoverOrKeepAside(std::move(loaded.content)));
    if (!m_loadProblem.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::reportLoadProblem);
}

DataFileContent MainWindow::recoverOrKeepAside(DataFileContent loaded)
{
    QByteArray bytes;
    const QString leftover = m_recoveryCopy->findLeftover(&bytes);
    if (leftover.isEmpty())
        return loaded;
    ParsedDataFile recovered = parseDataFile(bytes);
    if (recovered.content == loaded && recovered.problems.isEmpty()) {
        QFile::remove(leftover);
        return loaded;
    }
    // Asked before the window is shown: centred on the screen rather than on a hidden window.
    const auto answer = m_services.messages->show(
        nullptr,
        QStringLiteral("Quillet was not closed properly. Restore the changes made since the last save?"),
        QStringLiteral("Recover"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Yes) {
        m_store.keepAsideBeforeNextSave();
        return std::move(recovered.content); // the copy stays until the next save succeeds
    }
    if (answer == MessageBoxes::Answer::Dismissed) {
        // The program is ending before anyone answered: ask again at the next start.
        m_recoveryCopy->holdLeftover();
        return loaded;
    }
    m_recoveryCopy->keepAside(leftover, m_services.clock->now());
    return loaded;
}

void MainWindow::watchForChanges()
{
    const auto changed = [this] { noteChange(); };
    for (Section *section : m_sections) {
        QAbstractItemModel *model = section->list()->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::rowsMoved, this, changed);
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
    }
    // Typing counts as a change before the box is left, so the copy holds it too.
    for (auto *box : findChildren<QLineEdit *>())
        connect(box, &QLineEdit::textEdited, this, changed);
    for (auto *box : findChildren<QPlainTextEdit *>())
        connect(box, &QPlainTextEdit::textChanged, this, changed);
    for (auto *box : findChildren<QTextEdit *>())
        connect(box, &QTextEdit::textChanged, this, changed);
    for (auto *box : findChildren<QComboBox *>())
        connect(box, &QComboBox::activated, this, changed);
}

void MainWindow::noteChange()
{
    if (!m_recoveryTimer->isActive())
        m_recoveryTimer->start();
}

void MainWindow::writeRecoveryCopy()
{
    m_recoveryCopy->writeLater(content(true));
}

void MainWindow::reportLoadProblem()
{
    const QString text = m_loadUnreadable
        ? QStringLiteral("Your saved data could not be read: %1.\n\nIt is left as it is and will not "
                         "be replaced; what you type is kept in \"%2\" until it can be saved.")
              .arg(m_loadProblem, QFileInfo(m_recoveryCopy->path()).fileName())
        : QStringLiteral("Your saved data could not be read completely. %1\n\n"
                         "Everything that could be read is shown. The original file will be kept "
                         "as \"%2\" when you next save.")
              .arg(m_loadProblem, QStringLiteral("savedfile.qlt.bak"));
    m_services.messages->show(this, text, QString(), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
}

void MainWindow::hideHoverPictures(const QString &exceptSection)
{
    for (const QString &name : navigation::hoverPicturesCleared(exceptSection)) {
        if (QWidget *picture = m_hoverPictures.value(name))
            picture->hide();
    }
    if (navigation::clearsQuoteUnderline(exceptSection))
        m_quoteBox->setUnderlined(false);
}

void MainWindow::releaseSectionButtons()
{
    for (const ImageButton &button : m_sectionButtons) {
        button.pressed->hide();
        button.keys->setChecked(false);
    }
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
    releaseSectionButtons();
    m_sectionButtons[int(id)].pressed->show();
    m_sectionButtons[int(id)].keys->setChecked(true);
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
    releaseSectionButtons();
    hideHoverPictures(QString());
    hideSections();
}

void MainWindow::runCommand(Command command)
{
    switch (command) {
    case Command::Say:
        sayTime();
        break;
    case Command::Save:
        if (saveData())
            m_saveFeedback->start();
        break;
    case Command::About: {
        AboutDialog about(m_services, this);
        about.exec();
        break;
    }
    case Command::Exit:
    case Command::Close:
        exitWithConfirmation();
        break;
    case Command::Min:
        m_commandButtons[int(Command::Min)].hover->hide();
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

void MainWindow::startDrag(const QPoint &position)
{
    m_dragAnchor = position;
    m_systemMoveStarted = false;
}

void MainWindow::dragTo(QMouseEvent *event, const QPoint &position)
{
    if (event->buttons() == Qt::LeftButton && !m_systemMoveStarted) {
        // Let the window manager move the window where it can; else move it ourselves.
        if (windowHandle() && windowHandle()->startSystemMove())
            m_systemMoveStarted = true;
        else
            move(pos() + position - m_dragAnchor);
    }
    hideHoverPictures(QString());
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    startDrag(event->position().toPoint());
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    dragTo(event, event->position().toPoint());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove
        || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (!mouse)
        return QWidget::eventFilter(watched, event);
    auto *mouseEvent = static_cast<QMouseEvent *>(event);
    if (watched == m_quoteBox) {
        if (type == QEvent::MouseButtonPress)
            startDrag(mouseEvent->position().toPoint());
        else if (type == QEvent::MouseMove)
            dragTo(mouseEvent, mouseEvent->position().toPoint());
    } else if (type == QEvent::MouseMove) {
        hideHoverPictures(QString());
    }
    // Handled here: the window background must not see these as its own drag.
    return watched == m_quoteBox || qobject_cast<Section *>(watched);
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
    save(true);
    m_recoveryCopy->waitForWrites();
}
