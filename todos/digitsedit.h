// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

/// A two-digit box of the reminder time: digits and Backspace only.
class DigitsEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DigitsEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
