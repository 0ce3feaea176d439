// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

/// An invisible button lying over pictures that others draw (a three-picture button, the
/// quote): it takes the focus with Tab, draws the focus mark, answers Space and Enter, and
/// stands for the pictures to screen readers. The mouse passes through it to the pictures.
///
/// A checkable one is a toggle whose checked state its owner sets: a click never flips it.
class OverlayButton : public QAbstractButton
{
    Q_OBJECT
public:
    /// name is what a screen reader calls it, description what it adds (the tooltip).
    OverlayButton(const QString &name, const QString &description, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void nextCheckState() override {}
};
