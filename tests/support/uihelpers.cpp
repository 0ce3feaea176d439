// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/uihelpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

void clickAt(QWidget *widget, QPoint at, bool twice)
{
    QWidget *top = widget->window();
    const QPoint pos = widget->mapTo(top, at.isNull() ? widget->rect().center() : at);
    if (twice) // a double click reaches a widget as press, release, double-click press, release
        QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, pos);
    else
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, pos);
    QCoreApplication::processEvents();
}

void clickItem(QAbstractItemView *list, int row, bool twice)
{
    clickAt(list->viewport(), list->visualRect(list->model()->index(row, 0)).center(), twice);
}

QStringList captions(const QAbstractItemView *list)
{
    QStringList result;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        result << list->model()->index(i, 0).data().toString();
    return result;
}

QLineEdit *captionEditor(const QAbstractItemView *list)
{
    return qobject_cast<QLineEdit *>(list->indexWidget(list->currentIndex()));
}

void listenAsScreenReader(QAccessible::UpdateHandler handler)
{
    QAccessible::installUpdateHandler(handler);
    if (QPlatformAccessibility *layer = QGuiApplicationPrivate::platformIntegration()->accessibility())
        layer->setActive(handler != nullptr);
}

void whenModal(std::function<void(QWidget *)> action)
{
    QTimer::singleShot(0, [action] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        action(modal);
        if (modal && modal == QApplication::activeModalWidget() && modal->isVisible())
            modal->close();
    });
}
