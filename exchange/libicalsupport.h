// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libical/ical.h>

#include <memory>

struct IcalComponentFree
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
/// A libical component owned here: freed, with all it holds, when it goes.
using IcalComponent = std::unique_ptr<icalcomponent, IcalComponentFree>;

/// Sets libical up once, whichever thread comes first: a bad value gives a value-less property
/// instead of ending the program, and the UTC zone threads share is made before they do.
void initLibical();
