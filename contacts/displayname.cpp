// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/displayname.h"

namespace displayname {
namespace {

/// Blanks only, as typed by the user: other white space counts as text.
bool isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

const QString kPlaceholder = QStringLiteral("New Email");

void nameNewContact(State &state, const QString &name)
{
    if (!isBlank(name) && state.caption == kPlaceholder)
        state.caption = name;
}

/// The display box as the name is composed: still reading the placeholder, it holds no name.
QString composedDisplay(const State &state)
{
    return state.display == kPlaceholder ? QString() : state.display;
}

} // namespace

State afterLeaving(Box box, State state)
{
    switch (box) {
    case Box::Display:
        nameNewContact(state, state.display);
        break;
    case Box::LastName:
        if (composedDisplay(state).isEmpty()) {
            state.display = state.firstName + QLatin1Char(' ') + state.lastName;
            nameNewContact(state, state.display);
        }
        break;
    case Box::FirstName:
        // Keeps a display box that merely trails the first name in step with it.
        if (state.firstName.isEmpty() || composedDisplay(state) == state.firstName.chopped(1))
            state.display = state.firstName;
        break;
    }
    return state;
}

} // namespace displayname
