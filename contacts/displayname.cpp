#include "contacts/displayname.h"

namespace displayname {
namespace {

/// Blanks only, as typed by the user: other white space counts as text.
bool isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

void nameNewContact(State &state, const QString &name)
{
    if (!isBlank(name) && state.caption == QStringLiteral("New Email"))
        state.caption = name;
}

} // namespace

State afterLeaving(Box box, State state)
{
    switch (box) {
    case Box::Display:
        nameNewContact(state, state.display);
        break;
    case Box::LastName:
        if (state.display.isEmpty()) {
            state.display = state.firstName + QLatin1Char(' ') + state.lastName;
            nameNewContact(state, state.display);
        }
        break;
    case Box::FirstName:
        // Keeps a display box that merely trails the first name in step with it.
        if (state.firstName.isEmpty() || state.display == state.firstName.chopped(1))
            state.display = state.firstName;
        break;
    }
    return state;
}

} // namespace displayname
