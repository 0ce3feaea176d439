// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: a frameless 600 x 400 Qt window and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(600, 400);
    window.show();
    return app.exec();
}
