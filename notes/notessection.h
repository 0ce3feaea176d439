#pragma once

#include "app/section.h"

class ARButton;

class NotesSection : public Section
{
    Q_OBJECT
public:
    NotesSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;
};
