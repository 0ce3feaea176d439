#pragma once

#include "app/section.h"

class ARButton;

class ContactsSection : public Section
{
    Q_OBJECT
public:
    ContactsSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;
};
