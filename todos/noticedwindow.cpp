#include "todos/noticedwindow.h"

#include "platform/notifier.h"

#include <QDialog>

void execWithNotice(QDialog &window, Notifier *notifier, const QString &summary, const QString &body,
                    int priority)
{
    if (!notifier) {
        window.exec();
        return;
    }
    const Notifier::Urgency urgency = priority == 0 ? Notifier::Urgency::Low
        : priority == 2                             ? Notifier::Urgency::Critical
                                                    : Notifier::Urgency::Normal;
    const int notice = notifier->post(summary, body, urgency);
    const QMetaObject::Connection shown = QObject::connect(notifier, &Notifier::showRequested, &window, [&window, notice](int asked) {
        if (asked != notice)
            return;
        QWidget *main = window.parentWidget() ? window.parentWidget()->window() : nullptr;
        if (main && main->isMinimized())
            main->showNormal();
        window.raise();
        window.activateWindow();
    });
    window.exec();
    QObject::disconnect(shown);
    notifier->withdraw(notice);
}
