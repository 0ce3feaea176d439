#pragma once

#include "app/section.h"

class ARButton;

class WebsitesSection : public Section
{
    Q_OBJECT
public:
    WebsitesSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;
};
