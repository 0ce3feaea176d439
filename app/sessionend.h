// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTimer;

/// Ends the program as the window manager's close does, whatever asks: a Unix signal, the end
/// of the desktop session, a close while a modal window is open. Open modal windows end as if
/// cancelled (an alarm leaves its to-do as it is), then the main window closes, which commits
/// the box being typed in and saves. A box the closing save shows meanwhile (its error, a file
/// changed elsewhere) is dismissed too: what was typed is safe by then, and nobody may be there
/// to read it.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);

    void endNow();

signals:
    /// The windows are closed (and what they held saved): the program may end now.
    void finished();

private:
    void closeWindows();
    /// Closes an open pop-up or modal window as if cancelled; false when none was open.
    bool dismissOpenWindow();

    QTimer *m_dismisser = nullptr;
};
