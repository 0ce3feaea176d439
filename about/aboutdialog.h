// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QLabel;

/// frmAbout: artwork, version number and a link to the web site.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(const Services &services, QWidget *parent);

    /// Opens the web site, as a click on its badge does.
    void openWebsite();
    /// "Start Quillet when I log in": writes or removes the autostart entry.
    void setStartAtLogin(bool on);
    /// Opens the folder the data is kept in, as a click on its name does.
    void openDataFolder();

signals:
    /// The user wants the Sync window; About closes first.
    void syncWanted();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Services &m_services;
    QPixmap m_background;
    /// The web site badge: drawn by the background, made clickable by this label.
    QLabel *m_websiteBadge = nullptr;
    QCheckBox *m_startAtLoginBox = nullptr;
};
