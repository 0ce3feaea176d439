// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/framebuttons.h"

#include "app/navigation.h"
#include "quotes/quotebox.h"
#include "widgets/fieldvalidation.h"
#include "widgets/overlaybutton.h"
#include "widgets/picturebox.h"

#include <QKeySequence>
#include <QShortcut>

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
    {"butSync", "sync", {348, 368}, {82, 28}, "Sync with your server", true, true, true, "Sync", "F5"},
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

FrameButtons::FrameButtons(QWidget *window, QuoteBox *quote)
    : QObject(window)
    , m_window(window)
    , m_quote(quote)
{
}

void FrameButtons::createSectionButtons()
{
    for (const SectionButtonLayout &layout : kSectionButtons) {
        const QKeySequence key(QLatin1String(layout.shortcut));
        ImageButton button = ImageButton::create(
            m_window, QLatin1String(layout.normalName), QLatin1String(layout.otherName),
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
            emit clickWanted();
        });
        const auto choose = [this, id] { emit sectionChosen(id); };
        if (layout.selectsOnPress)
            connect(button.hover, &PictureBox::pressed, this, choose);
        else
            connect(button.hover, &PictureBox::clicked, this, choose);
        connect(button.pressed, &PictureBox::moved, this, [this] { hideHoverPictures(QString()); });
        connect(button.pressed, &PictureBox::released, this, &FrameButtons::sectionDropped);
        // By key the chosen section's button deselects, as pressing its pressed picture does.
        button.keys->setCheckable(true);
        connect(button.keys, &QAbstractButton::clicked, this, [this, id] {
            if (m_sectionButtons[int(id)].pressed->isHidden())
                emit sectionChosen(id);
            else
                emit sectionDropped();
        });
        // Its key only ever shows the section: hiding it is the lit picture's click.
        auto *shortcut = new QShortcut(key, m_window);
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (FieldValidation::instance().commitFocused() && m_sectionButtons[int(id)].pressed->isHidden())
                emit sectionChosen(id);
        });
        m_sectionButtons[int(id)] = button;
    }
}

void FrameButtons::createCommandButtons()
{
    int index = 0;
    QList<QKeySequence> bound;
    for (const CommandButtonLayout &layout : kCommandButtons) {
        const QString name = QLatin1String(layout.name);
        const QKeySequence key(QLatin1String(layout.shortcut));
        ImageButton button = ImageButton::create(m_window, name, name, QLatin1String(layout.art),
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
            emit clickWanted();
        });
        const auto release = [this, command, sound, pressed] {
            pressed->hide();
            if (sound)
                emit clickWanted();
            emit commandChosen(command);
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

void FrameButtons::addShortcut(const QKeySequence &key, QAbstractButton *button)
{
    if (key.isEmpty())
        return;
    auto *shortcut = new QShortcut(key, m_window);
    // The key is a click on the button: the field being edited is left first, as for a click.
    connect(shortcut, &QShortcut::activated, button, [button] {
        if (FieldValidation::instance().commitFocused())
            button->click();
    });
}

void FrameButtons::hideHoverPictures(const QString &exceptSection)
{
    for (const QString &name : navigation::hoverPicturesCleared(exceptSection)) {
        if (QWidget *picture = m_hoverPictures.value(name))
            picture->hide();
    }
    if (navigation::clearsQuoteUnderline(exceptSection))
        m_quote->setUnderlined(false);
}

void FrameButtons::releaseSectionButtons()
{
    for (const ImageButton &button : m_sectionButtons) {
        button.pressed->hide();
        button.keys->setChecked(false);
    }
}

void FrameButtons::pressSectionButton(SectionId id)
{
    m_sectionButtons[int(id)].pressed->show();
    m_sectionButtons[int(id)].keys->setChecked(true);
}

void FrameButtons::hideHover(Command command)
{
    m_commandButtons[int(command)].hover->hide();
}
