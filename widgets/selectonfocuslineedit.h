// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

/// A one-line box that selects its whole text whenever it gets the focus, so the next key
/// replaces it. The selection is made after the event that gave the focus (a click included).
class SelectOnFocusLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit SelectOnFocusLineEdit(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
};
