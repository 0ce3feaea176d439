// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

/// The window manager's close of a window that a modal window blocks. Qt drops such a close
/// unseen, so a click on the main window's close box (or the desktop closing it) would do nothing
/// while an alarm or a dialog is open; this catches it on X11 and says so.
class BlockedClose : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit BlockedClose(QObject *parent = nullptr);
    ~BlockedClose() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void closeRequested();

private:
    quint32 m_protocols = 0;
    quint32 m_deleteWindow = 0;
};
