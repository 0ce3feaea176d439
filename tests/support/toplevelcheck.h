#pragma once

#include <QPointer>
#include <QWidget>

/// The top-level windows there are when a test function starts (made in its class's init()).
/// leftOver(), called from cleanup() once the test's fixture is gone, names every top-level
/// window made since that is still there, shown or hidden, after pending deleteLater()s ran.
class TopLevelCheck
{
public:
    TopLevelCheck();
    QString leftOver() const;

private:
    QList<QPointer<QWidget>> m_before;
};
