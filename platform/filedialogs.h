#pragma once

#include <QString>

class QWidget;

/// The open-file dialog, behind an interface so tests can pick a file by script.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    /// Returns the chosen existing file's full path, or an empty text when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &startPath,
                             const QString &filter) = 0;
};
