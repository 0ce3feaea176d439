// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

/// The open-file, save-file and folder dialogs, behind an interface so tests can pick a file by
/// script.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    /// Returns the chosen existing file's full path, or an empty text when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &startPath,
                             const QString &filter) = 0;
    /// Returns the full path to write (a file that exists was confirmed by the user), or an
    /// empty text when cancelled.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                             const QString &filter) = 0;
    /// Returns the chosen folder's full path, or an empty text when cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &startPath) = 0;
};
