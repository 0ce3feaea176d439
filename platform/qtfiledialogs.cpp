// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtfiledialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openFile(QWidget *parent, const QString &title, const QString &startPath,
                                const QString &filter)
{
    // QFileDialog::getOpenFileName only returns files that exist.
    return QFileDialog::getOpenFileName(parent, title, startPath, filter);
}

QString QtFileDialogs::saveFile(QWidget *parent, const QString &title, const QString &startPath,
                                const QString &filter)
{
    // The dialog asks before an existing file is replaced.
    return QFileDialog::getSaveFileName(parent, title, startPath, filter);
}

QString QtFileDialogs::chooseFolder(QWidget *parent, const QString &title, const QString &startPath)
{
    return QFileDialog::getExistingDirectory(parent, title, startPath);
}
