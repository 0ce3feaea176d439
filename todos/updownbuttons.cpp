// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/updownbuttons.h"

#include <QToolButton>

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setIconSize(QSize(6, 4));
    return button;
}

} // namespace

UpDownButtons::UpDownButtons(QWidget *parent)
    : QWidget(parent)
    , m_up(arrowButton(Qt::UpArrow, this))
    , m_down(arrowButton(Qt::DownArrow, this))
{
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, &UpDownButtons::upClicked);
    connect(m_down, &QToolButton::clicked, this, &UpDownButtons::downClicked);
}

void UpDownButtons::resizeEvent(QResizeEvent *)
{
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}
