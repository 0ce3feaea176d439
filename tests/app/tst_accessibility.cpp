// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutdialog.h"
#include "quotes/quotedialog.h"
#include "tests/support/guitest.h"
#include "core/todorecord.h"
#include "todos/alarmwindow.h"
#include "todos/missedreminderswindow.h"
#include "todos/reminderdialog.h"
#include "todos/todossection.h"
#include "widgets/arbutton.h"
#include "widgets/overlaybutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

namespace {

QStringList unnamedFocus; // the kinds of objects a screen reader was told took the focus, unnamed

/// What a screen reader says a control is: its name. A drop-down list must be named by what it
/// is, never by the entry it shows.
QString spokenName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    const QString name = iface->text(QAccessible::Name);
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && name == combo->currentText())
        return QString();
    return name;
}

/// What a user can observe after an action: boxes and windows that came up, the data file,
/// click sounds, the save feedback, the section shown and what a screen reader calls checked.
QStringList outcome(MainWindowFixture &f, const std::function<void()> &act)
{
    QFile::remove(f.dataFilePath());
    const qsizetype sounds = f.sound.calls.size();
    QString opened;
    whenModal([&opened](QWidget *modal) { opened = modal ? modal->objectName() : QString(); });
    act();
    QCoreApplication::processEvents();
    QStringList result{"opened " + opened, QString::number(f.sound.calls.size() - sounds) + " sounds",
                       f.window->isMinimized() ? "minimized" : f.window->isVisible() ? "visible" : "closed"};
    for (const auto &box : f.messages.shown)
        result << box.text;
    if (QFile::exists(f.dataFilePath()))
        result << "saved" << f.readFile("savedfile.qlt").toHex();
    if (f.find<QTimer>("tmrWrite")->isActive())
        result << "typing feedback";
    for (QWidget *widget : f.window->findChildren<QWidget *>(QRegularExpression("^(fra|but.*_c$)"))) {
        if (!widget->isHidden() && widget->parentWidget() == f.window)
            result << widget->objectName();
    }
    for (QAbstractButton *button : f.window->findChildren<QAbstractButton *>()) {
        if (QAccessible::queryAccessibleInterface(button)->state().checked)
            result << button->objectName() + " checked";
        if (!button->isEnabled() && qobject_cast<ARButton *>(button))
            result << button->objectName() + " disabled";
    }
    return result;
}

const TodoRecord kBoiler{"Boiler", 1, 2, "50%", "12/5/2026 9:00:00 PM", "", "1", "Ask about it", "Dec 5  09:00 PM", "", ""};

/// Opens the window over a record in every section and shows a scene: a section (null is then
/// given back: the main window shows it), or a window over it.
std::unique_ptr<QWidget> openScene(MainWindowFixture &f, const QString &scene)
{
    const QString S = QStringLiteral("¶");
    DataFileContent content;
    content[SectionId::Websites] = {{"Home", "Home" + S + "https://example.org" + S + "d"}};
    content[SectionId::Contacts] = {{"Ann", "Ann" + S + "Lee" + S + "Boss" + S + "ann@example.org (Default E-Mail)::"}};
    content[SectionId::Notes] = {{"Note", "Some text"}};
    content[SectionId::Todos] = {{"Boiler", kBoiler.toTag()}};
    f.writeFile("savedfile.qlt", serializeDataFile(content));
    f.open();
    if (const int section = QStringList{"websites", "contacts", "notes", "to-dos"}.indexOf(scene); section >= 0) {
        f.window->section(SectionId(section))->show();
        return nullptr;
    }
    if (scene == "reminder")
        return std::make_unique<ReminderDialog>(f.services, ReminderFields{kBoiler.reminder, "/s/a.wav", "0", "", ""}, f.window);
    if (scene == "quotes")
        return std::make_unique<QuoteDialog>(f.services, f.window);
    if (scene == "about")
        return std::make_unique<AboutDialog>(f.services, f.window);
    if (scene == "missed") {
        const QPersistentModelIndex todo(f.window->section(SectionId::Todos)->model()->index(0));
        return std::make_unique<MissedRemindersWindow>(f.services, QList<MissedRemindersWindow::Missed>{{todo, kBoiler}}, f.window);
    }
    auto alarm = std::make_unique<AlarmWindow>(f.services, f.window);
    alarm->setTexts(kBoiler.subject, kBoiler.description);
    alarm->showPriorityLamp(2);
    return alarm;
}

} // namespace

class TestAccessibility : public WindowTest
{
    Q_OBJECT
private slots:
    void everyControlHasANameAndItsRole_data()
    {
        QTest::addColumn<QStringList>("named"); // objectName=name of controls not reached by Tab
        QTest::addColumn<QStringList>("tabOrder"); // when given
        QTest::newRow("websites") << QStringList{"Picture1=Quote"}
            << QStringList{"butWeb_keys", "butEmail_keys", "butNotes_keys", "butToDo_keys", "lstWebsites",
                           "arbWebAdd", "arbWebRemove", "arbWebIE", "txtWebsite", "txtURL", "txtDescription",
                           "Picture1_keys", "butSay_keys", "butSave_keys", "butSync_keys", "butAbout_keys", "butExit_keys",
                           "txtFind", "butMin_keys", "butClose_keys"};
        for (const char *scene : {"contacts", "notes", "to-dos", "reminder", "quotes"})
            QTest::newRow(scene) << QStringList{} << QStringList{};
        QTest::newRow("alarm") << QStringList{"imgRed=High priority", "imgRedD=High priority"} << QStringList{};
        QTest::newRow("about") << QStringList{} << QStringList{"cmdSync", "Command1", "chkAutostart", "Label3_keys"};
    }
    void everyControlHasANameAndItsRole()
    {
        const QString scene = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(QStringList, named);
        QFETCH(QStringList, tabOrder);
        const std::unique_ptr<QWidget> dialog = openScene(*f, scene);
        QWidget *window = dialog ? dialog.get() : f->window;
        window->show(); // focus, and with it the focus mark, lives in the active window
        QApplication::setActiveWindow(window);

        // Every control Tab reaches, in the order it reaches them; what gets the focus is named.
        unnamedFocus.clear();
        listenAsScreenReader([](QAccessibleEvent *event) {
            QAccessibleInterface *iface = event->accessibleInterface();
            if (event->type() == QAccessible::Focus && (!iface || iface->text(QAccessible::Name).isEmpty()))
                unnamedFocus << (event->object() ? event->object()->metaObject()->className() : "?");
        });
        QStringList names, reached;
        for (QWidget *widget = window->nextInFocusChain(); widget != window; widget = widget->nextInFocusChain()) {
            if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window) || !widget->isEnabled())
                continue;
            widget->setFocus(Qt::TabFocusReason);
            reached << widget->objectName();
            names << spokenName(widget);
            QVERIFY2(!names.last().isEmpty(), qPrintable(widget->objectName()));
            // Spoken as a button exactly when it is one, never as a check box it is not.
            const bool button = qobject_cast<QAbstractButton *>(widget) && !qobject_cast<QCheckBox *>(widget);
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->role() == QAccessible::Button, button);
            if (qobject_cast<OverlayButton *>(widget) || qobject_cast<ARButton *>(widget)) {
                widget->clearFocus();
                const QImage plain = widget->grab().toImage();
                widget->setFocus(Qt::TabFocusReason);
                QVERIFY2(widget->grab().toImage() != plain, "no focus mark"); // a picture button shows one
            }
        }
        listenAsScreenReader(nullptr);
        QCOMPARE(unnamedFocus, QStringList());
        // Buttons a pointer reaches, Tab or not, are named too.
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->isVisibleTo(window))
                QVERIFY2(!spokenName(button).isEmpty(), button->metaObject()->className());
        }
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size()); // each told apart
        if (!tabOrder.isEmpty())
            QCOMPARE(reached, tabOrder);
        for (const QString &pair : named)
            QCOMPARE(spokenName(window->findChild<QWidget *>(pair.section('=', 0, 0))), pair.section('=', 1));
    }

    void keysDoWhatClicksDo_data()
    {
        QTest::addColumn<QString>("key"); // with no modifier: pressed on the focused picture button
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("before"); // "to-dos": chosen first; then a percent typed
        QTest::addColumn<bool>("answerNo");
        QTest::addColumn<QStringList>("shows"); // a part of what both do
        QTest::newRow("websites") << "Ctrl+1" << "butWeb" << "" << false << QStringList{"fraWebsite", "butWeb_c", "butWeb_keys checked", "arbWebRemove disabled", "arbWebIE disabled"};
        QTest::newRow("contacts") << "Ctrl+2" << "butEmail" << "" << false << QStringList{"fraEmails", "butEmail_keys checked", "arbEmailOE disabled", "arbEmailRemove disabled"};
        QTest::newRow("notes") << "Ctrl+3" << "butNotes" << "" << false << QStringList{"fraNotes", "butNotes_keys checked", "arbNotesRemove disabled"};
        QTest::newRow("to-dos") << "Ctrl+4" << "butToDo" << "" << false << QStringList{"fraTodos", "butToDo_keys checked"};
        QTest::newRow("Space") << "Space" << "butNotes" << "to-dos" << false << QStringList{"fraNotes"};
        QTest::newRow("Enter again") << "Return" << "butToDo" << "to-dos" << false << QStringList{"visible"};
        QTest::newRow("save") << "Ctrl+S" << "butSave" << "" << false << QStringList{"saved", "typing feedback"};
        QTest::newRow("Enter saves") << "Return" << "butSave" << "" << false << QStringList{"saved", "typing feedback"};
        QTest::newRow("Enter minimizes") << "Return" << "butMin" << "" << false << QStringList{"minimized"};
        QTest::newRow("about") << "F1" << "butAbout" << "" << false << QStringList{"opened frmAbout"};
        const QString question = QStringLiteral("Are you sure you want to exit?");
        QTest::newRow("exit, Yes") << "Ctrl+Q" << "butExit" << "" << false << QStringList{question, "closed", "saved"};
        QTest::newRow("close, Yes") << "Ctrl+Q" << "butClose" << "" << false << QStringList{question, "closed", "saved"};
        QTest::newRow("exit, No") << "Ctrl+Q" << "butExit" << "" << true << QStringList{question, "visible"};
        QTest::newRow("a bad percent holds the key") << "Ctrl+3" << "butNotes" << "to-dos 150" << false
            << QStringList{"fraTodos", "Complete percent must be a number between 0 to 100."};
        QTest::newRow("a good percent is saved") << "Ctrl+S" << "butSave" << "to-dos 50" << false << QStringList{"saved"};
    }
    void keysDoWhatClicksDo()
    {
        QFETCH(QString, key);
        QFETCH(QString, picture);
        QFETCH(QString, before);
        QFETCH(bool, answerNo);
        QFETCH(QStringList, shows);
        MainWindowFixture byKey;
        MainWindowFixture *byClick = &*this->f;
        QList<QStringList> outcomes;
        for (MainWindowFixture *f : {byClick, &byKey}) {
            f->openWith(SectionId::Todos, {{"Boiler", "Boiler\u00b60\u00b61\u00b60%"}});
            QCOMPARE(outcome(*f, [] {}), (QStringList{"opened ", "0 sounds", "visible"})); // nothing chosen, nothing said
            if (answerNo)
                f->messages.answers.enqueue(MessageBoxes::Answer::No);
            if (!before.isEmpty())
                f->clickPicture("butToDo");
            if (before.contains(' ')) {
                QWidget *percent = f->find<QWidget>("txtComplete");
                percent->setFocus(Qt::TabFocusReason);
                QTest::keyClicks(percent, before.section(' ', 1));
            }
            QWidget *target = f->window;
            if (QKeySequence(key)[0].keyboardModifiers() == Qt::NoModifier) {
                target = f->find<QWidget>(picture + "_keys");
                target->setFocus(Qt::TabFocusReason);
            }
            // The pointer comes from the background, lighting the hover picture (and clicking).
            if (f == byClick) {
                QTest::mouseMove(f->window, QPoint(300, 20));
                QTest::mouseMove(f->find<QWidget>(picture), QPoint(10, 10));
            }
            outcomes << outcome(*f, [&] {
                if (f == byClick)
                    clickAt(f->find<QWidget>(picture));
                else
                    QTest::keySequence(target, QKeySequence(key));
            });
            for (const QString &part : shows)
                QVERIFY2(outcomes.last().contains(part), qPrintable(part + " in " + outcomes.last().join(" / ")));
        }
        QCOMPARE(outcomes[1], outcomes[0]);
        // Pressed again, a section key keeps its section shown (a click on the chosen picture
        // puts it away).
        if (QRegularExpression("^Ctrl\\+[1-4]$").match(key).hasMatch()) {
            QTest::keySequence(byKey.window, QKeySequence(key));
            QVERIFY(byKey.find<QWidget>(shows.first())->isVisible());
        }
    }

    // The windows drawn on the program's own artwork keep their colours under a dark desktop
    // theme: the same pixels as under the default one.
    void ownColoursUnderADarkTheme_data()
    {
        QTest::addColumn<QString>("scene");
        for (const char *scene : {"websites", "contacts", "notes", "to-dos", "alarm", "reminder", "missed"})
            QTest::newRow(scene) << QString::fromLatin1(scene);
    }
    void ownColoursUnderADarkTheme()
    {
        QFETCH(QString, scene);
        const std::unique_ptr<QWidget> window = openScene(*f, scene);
        QWidget *shown = window ? window.get() : f->window;
        shown->show();
        for (QTimer *timer : shown->findChildren<QTimer *>())
            timer->stop(); // no blink or tick between the two pictures
        f->window->setFocus(); // no caret blinking in a box
        const auto picture = [shown] {
            QCoreApplication::processEvents();
            return shown->grab().toImage();
        };
        const QImage light = picture();
        const QPalette desktop = QApplication::palette();
        QPalette dark(QColor(53, 53, 53), QColor(42, 42, 42));
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
            dark.setColor(role, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(25, 25, 25));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        QApplication::setPalette(dark);
        const QImage darkPicture = picture();
        QApplication::setPalette(desktop);
        QVERIFY(!light.isNull());
        QVERIFY(darkPicture == light);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
