// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

/// How the display box and the caption follow the name boxes when one of them is left.
namespace displayname {

enum class Box { FirstName, LastName, Display };

struct State
{
    QString firstName;
    QString lastName;
    QString display;
    /// The selected entry's caption; none when no entry is selected.
    std::optional<QString> caption;

    friend bool operator==(const State &, const State &) = default;
};

/// The boxes and caption after the user left box. A caption only ever changes while it still
/// reads "New Email"; once named, a contact keeps its caption whatever the boxes say.
State afterLeaving(Box box, State state);

} // namespace displayname
