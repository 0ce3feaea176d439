#pragma once

#include "platform/services.h"

#include <QDialog>

/// frmAbout: artwork, version number and a link to the web site.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(const Services &services, QWidget *parent);

private:
    const Services &m_services;
};
