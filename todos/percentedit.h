// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/selectonfocuslineedit.h"

/// The percent-complete box: takes digits, "%" and Backspace only, reports Enter, and steps by
/// quarters with the Up and Down arrows (on key release, and not past "100%" or "0%").
class PercentEdit : public SelectOnFocusLineEdit
{
    Q_OBJECT
public:
    explicit PercentEdit(QWidget *parent = nullptr);

    /// Sets the result of a step and selects it, as the spinner does.
    void showStep(int value);

signals:
    void enterPressed();
    void stepUpRequested();
    void stepDownRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
