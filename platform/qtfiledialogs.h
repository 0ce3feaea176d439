#pragma once

#include "platform/filedialogs.h"

class QtFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget *parent, const QString &title, const QString &startPath,
                     const QString &filter) override;
};
