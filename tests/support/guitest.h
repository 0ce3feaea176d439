// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window tests share: the main-window fixture with its fakes, the user's clicks and
// keys, and a base that checks no top-level window outlives a test function.
#include "store/recordlistmodel.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

/// The base of the window tests, as qtbase's widget tests go: init() gives each test function a
/// fresh fixture, and cleanup() fails it when a top-level window made since, shown or hidden, is
/// still there once the fixture is gone and pending deleteLater()s ran.
class WindowTest : public QObject
{
    Q_OBJECT
protected:
    /// A test class holding more than the fixture makes and drops it here.
    virtual void setUp() { f.emplace(); }
    virtual void tearDown() { f.reset(); }

    std::optional<MainWindowFixture> f;

private slots:
    void init()
    {
        m_before.clear();
        for (QWidget *widget : QApplication::topLevelWidgets())
            m_before.append(widget);
        setUp();
    }
    void cleanup()
    {
        tearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList leftOver;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (!m_before.contains(widget))
                leftOver << QString::fromLatin1(widget->metaObject()->className()) + ' ' + widget->objectName();
        }
        QCOMPARE(leftOver.join(", "), QString());
    }

private:
    QList<QPointer<QWidget>> m_before;
};
