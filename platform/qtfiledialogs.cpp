#include "platform/qtfiledialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openFile(QWidget *parent, const QString &title, const QString &startPath,
                                const QString &filter)
{
    // QFileDialog::getOpenFileName only returns files that exist.
    return QFileDialog::getOpenFileName(parent, title, startPath, filter);
}
