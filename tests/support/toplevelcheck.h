#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

/// The top-level windows there are when a test function starts (made in its class's init()).
/// leftOver(), called from cleanup() once the test's fixture is gone, names every top-level
/// window made since that is still there, shown or hidden, after pending deleteLater()s ran.
class TopLevelCheck
{
public:
    TopLevelCheck()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            m_before.append(widget);
    }
    QString leftOver() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList names;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (!m_before.contains(widget))
                names << QString::fromLatin1(widget->metaObject()->className()) + ' ' + widget->objectName();
        }
        return names.join(QStringLiteral(", "));
    }

private:
    QList<QPointer<QWidget>> m_before;
};
