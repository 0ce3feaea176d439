#include "app/sessionend.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
{
    // A quit from elsewhere (the session manager's last word) still saves.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &SessionEnd::closeWindows);
}

void SessionEnd::endNow()
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        // Its own event loop must return first; then the next one, until none is left.
        QTimer::singleShot(0, this, &SessionEnd::endNow);
        return;
    }
    closeWindows();
    QCoreApplication::quit();
}

void SessionEnd::closeWindows()
{
    // Only a shown main window holds what the user typed; one still loading holds half a file.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<MainWindow *>(window) && window->isVisible())
            window->close();
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
}
