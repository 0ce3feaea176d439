// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessionend.h"

#include "app/mainwindow.h"
#include "app/splashwindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
    , m_dismisser(new QTimer(this))
{
    // A quit from elsewhere (the session manager's last word) still saves.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        m_dismisser->start();
        closeWindows();
    });
    // Runs inside the event loop of a box the closing save opens, and closes it.
    m_dismisser->setInterval(50);
    connect(m_dismisser, &QTimer::timeout, this, &SessionEnd::dismissOpenWindow);
}

bool SessionEnd::dismissOpenWindow()
{
    // A pop-up menu (the snooze choices) goes first, as if dismissed.
    if (QWidget *popup = QApplication::activePopupWidget()) {
        popup->close();
        return true;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return true;
    }
    return false;
}

void SessionEnd::endNow()
{
    if (dismissOpenWindow()) {
        // Its own event loop must return first; then the next one, until none is left.
        QTimer::singleShot(0, this, &SessionEnd::endNow);
        return;
    }
    // Still starting: end once the main window has loaded, so the end is the same save as ever.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<SplashWindow *>(window) && window->isVisible()) {
            QTimer::singleShot(20, this, &SessionEnd::endNow);
            return;
        }
    }
    m_dismisser->start();
    closeWindows();
    emit finished();
}

void SessionEnd::closeWindows()
{
    // Only a loaded main window holds what the user had; one still loading holds half a file.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<MainWindow *>(window); main && main->isOpen())
            main->close();
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
}
