#pragma once

// What the window tests share: the main-window fixture with its fakes, the user's clicks and
// keys, and a base that checks no top-level window outlives a test function.
#include "store/recordlistmodel.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/toplevelcheck.h"
#include "tests/support/uihelpers.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

/// The base of the window tests, as qtbase's widget tests go: init() gives each test function a
/// fresh fixture, and cleanup() fails it when a top-level window it made is still there.
class WindowTest : public QObject
{
    Q_OBJECT
protected:
    /// A test class holding more than the fixture makes and drops it here.
    virtual void setUp() { f.emplace(); }
    virtual void tearDown() { f.reset(); }

    std::optional<MainWindowFixture> f;

private slots:
    void init() { m_windows = {}; setUp(); }
    void cleanup() { tearDown(); QCOMPARE(m_windows.leftOver(), QString()); }

private:
    TopLevelCheck m_windows;
};
