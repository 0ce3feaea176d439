#include "widgets/fieldvalidation.h"
#include "widgets/picturebox.h"
#include "widgets/selectonfocuslineedit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

/// A shown window with a watched box (focused), a second box, a button and a picture that never
/// takes the focus.
class Form : public QWidget
{
public:
    Form()
    {
        resize(300, 200);
        watched = new SelectOnFocusLineEdit(this);
        watched->setGeometry(10, 10, 100, 20);
        other = new QLineEdit(this);
        other->setGeometry(10, 40, 100, 20);
        button = new QPushButton("Go", this);
        button->setGeometry(10, 70, 60, 25);
        picture = new PictureBox(QPixmap(), this);
        picture->setGeometry(10, 110, 40, 40);
        FieldValidation::instance().watch(watched, [this] {
            ++checks;
            return accept;
        });
        QObject::connect(button, &QPushButton::clicked, [this] { ++buttonClicks; });
        QObject::connect(picture, &PictureBox::pressed, [this] { ++picturePresses; });
        show();
        std::ignore = QTest::qWaitForWindowActive(this); // the tests check the focus itself
        watched->setFocus();
    }
    SelectOnFocusLineEdit *watched;
    QLineEdit *other;
    QPushButton *button;
    PictureBox *picture;
    bool accept = true;
    int checks = 0;
    int buttonClicks = 0;
    int picturePresses = 0;
};

class TestFieldValidation : public QObject
{
    Q_OBJECT
private slots:
    void leavingRunsTheCheckOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click another box") << "box";
        QTest::newRow("click a button") << "button";
        QTest::newRow("press a picture without focus") << "picture";
        QTest::newRow("tab") << "tab";
    }
    void leavingRunsTheCheckOnce()
    {
        QFETCH(QString, how);
        Form form;
        QVERIFY(form.watched->hasFocus());
        QCOMPARE(form.checks, 0);
        if (how == "box")
            QTest::mouseClick(form.other, Qt::LeftButton);
        else if (how == "button")
            QTest::mouseClick(form.button, Qt::LeftButton);
        else if (how == "picture")
            QTest::mouseClick(form.picture, Qt::LeftButton);
        else
            QTest::keyClick(form.watched, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(form.checks, 1);
    }

    void refusalKeepsFocusAndSwallowsTheClick()
    {
        Form form;
        QVERIFY(form.watched->hasFocus());
        QTest::mouseClick(form.watched, Qt::LeftButton); // a click inside does not leave it
        QCOMPARE(form.checks, 0);
        QVERIFY(FieldValidation::instance().commitFocused());
        QCOMPARE(form.checks, 1);
        form.accept = false;
        QTest::mouseClick(form.button, Qt::LeftButton);
        QTest::mouseClick(form.picture, Qt::LeftButton);
        QTest::keyClick(form.watched, Qt::Key_Tab);
        QCOMPARE(form.buttonClicks, 0);
        QCOMPARE(form.picturePresses, 0);
        QVERIFY(form.watched->hasFocus());
        QTest::mouseClick(form.picture, Qt::LeftButton);
        QCOMPARE(form.checks, 5);
        form.accept = true; // mended: the next attempt is checked again, not answered from memory
        form.other->setFocus();
        QCOMPARE(form.checks, 6);
        QVERIFY(form.other->hasFocus());
        QVERIFY(FieldValidation::instance().commitFocused()); // an unwatched box needs nothing
        QCOMPARE(form.checks, 6);
    }
};

QTEST_MAIN(TestFieldValidation)
#include "tst_fieldvalidation.moc"
