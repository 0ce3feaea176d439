// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/noticedwindow.h"

#include "platform/notifier.h"

#include <QDialog>
#include <QPointer>

#include <memory>

void showWithNotice(QDialog *window, Notifier *notifier, const QString &summary, const QString &body,
                    int priority)
{
    // Modal to the whole program, as the answer decides what happens to the to-do.
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (!notifier)
        return;
    const Notifier::Urgency urgency = priority == 0 ? Notifier::Urgency::Low
        : priority == 2                             ? Notifier::Urgency::Critical
                                                    : Notifier::Urgency::Normal;
    const int notice = notifier->post(summary, body, urgency);
    // A window shown again later gets a notice of its own: these connections last one showing.
    struct Showing
    {
        QMetaObject::Connection raise, answered, gone;
    };
    auto showing = std::make_shared<Showing>();
    showing->raise = QObject::connect(notifier, &Notifier::showRequested, window, [window, notice](int asked) {
        if (asked != notice)
            return;
        QWidget *main = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        if (main && main->isMinimized())
            main->showNormal();
        window->raise();
        window->activateWindow();
    });
    const QPointer<Notifier> guarded(notifier);
    const auto withdraw = [guarded, notice, showing] {
        QObject::disconnect(showing->raise);
        QObject::disconnect(showing->answered);
        QObject::disconnect(showing->gone);
        if (guarded)
            guarded->withdraw(notice);
    };
    // Answered, or gone with the main window unanswered: the notice is taken back.
    showing->answered = QObject::connect(window, &QDialog::finished, notifier, withdraw);
    showing->gone = QObject::connect(window, &QObject::destroyed, notifier, withdraw);
}
