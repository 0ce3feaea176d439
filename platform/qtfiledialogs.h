// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/filedialogs.h"

class QtFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget *parent, const QString &title, const QString &startPath,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                     const QString &filter) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &startPath) override;
};
