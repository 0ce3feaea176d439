// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QPixmap>
#include <QWidget>

class Document;
class QLabel;
class QTimer;
class MainWindow;

/// frmSplash: shown while the main window loads; its first timer tick opens the main window.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    /// The main window it opens shows document.
    SplashWindow(const Services &services, Document *document);

    /// The Timer1 tick: load and show the main window, then close the splash.
    void openMainWindow();
    MainWindow *mainWindow() const { return m_main; }
    /// The main window starts minimised (--minimized).
    void setStartMinimized(bool minimized) { m_startMinimized = minimized; }

    /// "Version 1.0", then the web address and notice.
    static QString infoText();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const Services &m_services;
    Document *m_document;
    QPixmap m_background;
    QLabel *m_infoLabel;
    QTimer *m_timer;
    MainWindow *m_main = nullptr;
    bool m_startMinimized = false;
};
