#pragma once

#include "app/section.h"

class ARButton;

class TodosSection : public Section
{
    Q_OBJECT
public:
    TodosSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;
};
