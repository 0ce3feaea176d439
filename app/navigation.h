#pragma once

#include <QString>
#include <QStringList>

/// The section names the section buttons pass to ClearHover.
namespace navigation {

/// The hover pictures that ClearHover(sDontClear) hides: with a section name the other three
/// section hovers, with "" every hover picture, with any other text none.
QStringList hoverPicturesCleared(const QString &sDontClear);

/// Whether ClearHover(sDontClear) also takes the underline off the quote.
bool clearsQuoteUnderline(const QString &sDontClear);

} // namespace navigation
