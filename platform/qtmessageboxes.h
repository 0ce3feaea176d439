// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/messageboxes.h"

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                Icon icon) override;
};
