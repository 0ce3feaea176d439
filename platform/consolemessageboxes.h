// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/messageboxes.h"

/// The message boxes of a run without a window: each text goes to standard error, and every
/// question takes the answer that changes nothing (No), as no one is there to give another.
class ConsoleMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                Icon icon) override;
};
