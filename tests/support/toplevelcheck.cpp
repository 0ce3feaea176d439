#include "tests/support/toplevelcheck.h"

#include <QApplication>

TopLevelCheck::TopLevelCheck()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        m_before.append(widget);
}

QString TopLevelCheck::leftOver() const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!m_before.contains(widget))
            names << QString::fromLatin1(widget->metaObject()->className()) + ' ' + widget->objectName();
    }
    return names.join(QStringLiteral(", "));
}
