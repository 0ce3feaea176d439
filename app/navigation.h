// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

/// The section names the section buttons pass to MainWindow::hideHoverPictures.
namespace navigation {

/// The hover pictures that MainWindow::hideHoverPictures(exceptSection) hides: with a section
/// name the other three section hovers, with "" every hover picture, with any other text none.
QStringList hoverPicturesCleared(const QString &exceptSection);

/// Whether MainWindow::hideHoverPictures(exceptSection) also takes the underline off the quote.
bool clearsQuoteUnderline(const QString &exceptSection);

} // namespace navigation
