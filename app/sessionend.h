#pragma once

#include <QObject>

/// Ends the program as the window manager's close does, whatever asks: a Unix signal, the end
/// of the desktop session, a close while a modal window is open. Open modal windows end as if
/// cancelled (an alarm leaves its to-do as it is), then the main window closes, which commits
/// the box being typed in and saves.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);

    void endNow();

private:
    void closeWindows();
};
