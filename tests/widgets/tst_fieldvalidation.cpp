// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/guitest.h"
#include "widgets/fieldvalidation.h"
#include "widgets/picturebox.h"
#include "widgets/selectonfocuslineedit.h"

/// A shown window with a watched box (focused), a second box, a button and a picture that never
/// takes the focus.
class Form : public QWidget
{
public:
    Form()
    {
        resize(300, 200);
        watched->setGeometry(10, 10, 100, 20);
        other->setGeometry(10, 40, 100, 20);
        button->setGeometry(10, 70, 60, 25);
        picture->setGeometry(10, 110, 40, 40);
        FieldValidation::instance().watch(watched, [this] {
            ++checks;
            return accept;
        });
        QObject::connect(button, &QPushButton::clicked, [this] { ++acted; });
        QObject::connect(picture, &PictureBox::pressed, [this] { ++acted; });
        show();
        std::ignore = QTest::qWaitForWindowActive(this); // the tests check the focus itself
        watched->setFocus();
    }
    SelectOnFocusLineEdit *watched = new SelectOnFocusLineEdit(this);
    QLineEdit *other = new QLineEdit(this);
    QPushButton *button = new QPushButton("Go", this);
    PictureBox *picture = new PictureBox(QPixmap(), this);
    bool accept = true;
    int checks = 0;
    int acted = 0; // clicks on the button and presses on the picture that got through
};

class TestFieldValidation : public WindowTest
{
    Q_OBJECT

    std::optional<Form> form;

    void setUp() override { form.emplace(); }
    void tearDown() override { form.reset(); }

private slots:
    // Saving checks the focused box too: tst_sectionflows and tst_todoeditor walk it.
    void leavingRunsTheCheckOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("accept");
        for (bool accept : {true, false}) {
            for (const char *how : {"box", "button", "picture", "tab"})
                QTest::addRow("%s, %s", how, accept ? "accepted" : "refused") << QString(how) << accept;
        }
    }
    void leavingRunsTheCheckOnce()
    {
        QFETCH(QString, how);
        QFETCH(bool, accept);
        form->accept = accept;
        const auto leave = [&] {
            if (how == "tab")
                QTest::keyClick(form->watched, Qt::Key_Tab);
            else
                QTest::mouseClick(how == "box" ? form->other : how == "button" ? static_cast<QWidget *>(form->button) : form->picture, Qt::LeftButton);
            QCoreApplication::processEvents();
        };
        QVERIFY(form->watched->hasFocus());
        QTest::mouseClick(form->watched, Qt::LeftButton); // a click inside does not leave it
        QCOMPARE(form->checks, 0);
        leave();
        QCOMPARE(form->checks, 1);
        const bool keepsFocus = !accept || how == "picture";
        QCOMPARE(form->watched->hasFocus(), keepsFocus);
        QCOMPARE(form->acted, accept && (how == "button" || how == "picture") ? 1 : 0); // refused: swallowed
        if (accept)
            return;
        form->accept = true; // mended: the next attempt is checked again, not answered from memory
        leave();
        QCOMPARE(form->checks, 2);
        QCOMPARE(form->watched->hasFocus(), how == "picture");
    }
};

QTEST_MAIN(TestFieldValidation)
#include "tst_fieldvalidation.moc"
