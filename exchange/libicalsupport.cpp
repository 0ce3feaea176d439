// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/libicalsupport.h"

#include <mutex>

void initLibical()
{
    static std::once_flag once;
    std::call_once(once, [] {
        icalerror_set_errors_are_fatal(0);
        icaltimezone_get_utc_timezone();
    });
}
