// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navigation.h"

namespace navigation {

QStringList hoverPicturesCleared(const QString &exceptSection)
{
    const QString name = exceptSection.toLower();
    if (name == QLatin1String("websites"))
        return {"butEmail_h", "butNotes_h", "butTodo_h"};
    if (name == QLatin1String("emails"))
        return {"butWeb_h", "butNotes_h", "butTodo_h"};
    if (name == QLatin1String("notes"))
        return {"butWeb_h", "butEmail_h", "butTodo_h"};
    if (name == QLatin1String("todos"))
        return {"butWeb_h", "butEmail_h", "butNotes_h"};
    if (name.isEmpty())
        return {"butSave_h", "butWeb_h",   "butEmail_h", "butNotes_h", "butTodo_h",
                "butClose_h", "butMin_h",  "butAbout_h", "butExit_h",  "butSay_h",
                "butSync_h"};
    return {};
}

bool clearsQuoteUnderline(const QString &exceptSection)
{
    return exceptSection.isEmpty();
}

} // namespace navigation
