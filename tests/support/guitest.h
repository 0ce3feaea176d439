#pragma once

// What the window tests share: the main-window fixture with its fakes, the user's clicks and
// keys, and the check that no top-level window outlives a test function.
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
