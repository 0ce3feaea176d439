// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLabel;
class QTimer;
class QWidget;

/// "Saved successfully." typed letter by letter under the Save button, cleared after 3 s.
class SaveFeedback : public QObject
{
    Q_OBJECT
public:
    /// Creates lblSaved, tmrWrite and tmrSaved on the main window.
    explicit SaveFeedback(QWidget *mainWindow);

    /// A save through the button succeeded.
    void start();

    /// One tmrWrite tick: one more character.
    void typeNextLetter();
    /// The tmrSaved tick: clear the text.
    void clearText();

    static QString text() { return QStringLiteral("Saved successfully."); }

private:
    QLabel *m_label;
    QTimer *m_writeTimer;
    QTimer *m_savedTimer;
    int m_typed = 0;
};
