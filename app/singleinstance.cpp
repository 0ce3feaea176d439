// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/singleinstance.h"

#include "core/document.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace singleinstance {

namespace {

QString dataFolderOf(const InstanceGuard &guard)
{
    return QDir::toNativeSeparators(QFileInfo(guard.lockPath()).absolutePath());
}

} // namespace

bool startHere(Document &document, bool minimized, MessageBoxes *messages)
{
    InstanceGuard &guard = document.guard();
    switch (document.claimFolder()) {
    case InstanceGuard::Claim::Ours:
        QObject::connect(&document, &Document::showRequested, &document, &bringToFront);
        return true;
    case InstanceGuard::Claim::Unguarded:
        // Without the lock nothing keeps a second copy from saving over this one's work: end
        // before anything is typed, rather than lose it later.
        messages->show(
            nullptr,
            QStringLiteral("Quillet cannot make its lock file \"%1\" (%2), so it cannot make sure "
                           "that no other copy of Quillet saves over your data in \"%3\".\n\n"
                           "Quillet closes now, with your data unchanged. Please make room on the "
                           "disk or remove what is in the lock file's place, and start Quillet again.")
                .arg(QDir::toNativeSeparators(guard.lockPath()), guard.problem(), dataFolderOf(guard)),
            QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return false;
    case InstanceGuard::Claim::HeldElsewhere:
        messages->show(
            nullptr,
            QStringLiteral("Quillet is already running on the computer \"%1\" with the data in "
                           "\"%2\".\n\nThis copy closes now, so that neither overwrites what the "
                           "other saves. If Quillet no longer runs there, delete \"%3\" and start "
                           "Quillet again.")
                .arg(guard.holderHost(), dataFolderOf(guard),
                     QDir::toNativeSeparators(guard.lockPath())),
            QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return false;
    case InstanceGuard::Claim::HeldHere:
        if (!minimized && !guard.askRunningCopyToShow()) {
            messages->show(nullptr,
                           QStringLiteral("Quillet is already running with the data in \"%1\", "
                                          "but it does not answer.\n\nThis copy closes now, so "
                                          "that neither overwrites what the other saves.")
                               .arg(dataFolderOf(guard)),
                           QString(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        }
        return false;
    }
    return false;
}

void bringToFront()
{
    QWidget *target = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        // Before the main window is up, the splash stands for it.
        if (window->objectName() == QLatin1String("frmMain"))
            target = window;
        else if (!target && window->objectName() == QLatin1String("frmSplash") && window->isVisible())
            target = window;
    }
    if (!target)
        return;
    QWidget *dialog = QApplication::activeModalWidget();
    for (QWidget *window : {target, dialog}) {
        if (!window)
            continue;
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        window->raise();
        window->activateWindow();
    }
    qCInfo(lcInstance) << "Brought" << target->objectName() << "to the front";
}

} // namespace singleinstance
