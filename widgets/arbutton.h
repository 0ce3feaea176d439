// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>

/// A small flat push button showing a picture, with a greyed picture of its own while disabled.
/// Drawn on the panels' colour with a silver border; reached with Tab it shows the focus mark,
/// and Space or Enter presses it.
class ARButton : public QAbstractButton
{
    Q_OBJECT
public:
    ARButton(const QPixmap &picture, const QPixmap &disabledPicture, const QString &toolTip,
             QWidget *parent = nullptr);

    QSize sizeHint() const override { return {30, 28}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_disabledPicture;
};
