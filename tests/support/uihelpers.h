// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QPoint>
#include <QStringList>

#include <functional>

class QLineEdit;
class QAbstractItemView;
class QWidget;

/// A user's click through the window, so the check of a field being left runs first.
void clickAt(QWidget *widget, QPoint at = {}, bool twice = false);
/// Clicks (or double-clicks) a list entry through the window.
void clickItem(QAbstractItemView *list, int row, bool twice = false);
/// The texts of a list's entries, top to bottom.
QStringList captions(const QAbstractItemView *list);
/// The in-place editor of the current entry's caption, if one is open.
QLineEdit *captionEditor(const QAbstractItemView *list);

/// Switches the accessibility layer on, as a screen reader starting up does, and hands it every
/// event reported from now on; null stops listening.
void listenAsScreenReader(QAccessible::UpdateHandler handler);

/// Runs action on the modal window that the next call opens. If the action leaves it open, it
/// is closed, so a failing test cannot hang in the modal loop.
void whenModal(std::function<void(QWidget *)> action);
