// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

/// A push button whose caption wraps onto several lines when the button is too narrow for it.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    WrappingButton(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
