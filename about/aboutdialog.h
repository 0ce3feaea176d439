#pragma once

#include "platform/services.h"

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QLabel;
class QPushButton;

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

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Services &m_services;
    QPixmap m_background;
    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label3;
    QLabel *m_dataFolder;
    QPushButton *Command1;
    QCheckBox *m_chkAutostart;
};
