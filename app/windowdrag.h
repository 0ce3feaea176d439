// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

/// Moves a frameless window with the left button held on its background or on a handle (the
/// quote), by the window manager where it can. Mouse events on the panels lying over the
/// background stay theirs, not the background's. Any move of the pointer over what it watches
/// is reported, so the window can put out its hover pictures.
class WindowDrag : public QObject
{
    Q_OBJECT
public:
    explicit WindowDrag(QWidget *window);

    void addHandle(QWidget *handle);
    /// A panel whose own mouse events (not its children's) go no further than itself.
    void addPanel(QWidget *panel);
    /// Watches the pointer over widget without taking its events.
    void addPointerArea(QWidget *widget);

signals:
    void pointerMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dragTo(QMouseEvent *event);

    QWidget *m_window;
    QPoint m_anchor;
    bool m_systemMoveStarted = false;
};
