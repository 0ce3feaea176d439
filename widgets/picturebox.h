// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

/// A picture that reports the pointer: one layer of a three-picture button, or any picture the
/// user can press. Mouse tracking is on, so moving over it is reported without a button held.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(const QPixmap &picture, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }

signals:
    void moved();
    /// Any mouse button.
    void pressed(Qt::MouseButton button);
    /// The release of the button that pressed this picture, wherever the pointer is by then.
    void released(Qt::MouseButton button);
    /// The left button pressed and released over this picture.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
};
