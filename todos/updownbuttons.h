// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QToolButton;

/// A small up-down spinner of two arrow buttons that never take the focus, so the box beside
/// it keeps the focus and its selection while the user steps.
class UpDownButtons : public QWidget
{
    Q_OBJECT
public:
    explicit UpDownButtons(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};
