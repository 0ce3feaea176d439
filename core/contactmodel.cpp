// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactmodel.h"

#include "core/addresslist.h"
#include "store/escapes.h"

QString ContactModel::defaultAddress(int row) const
{
    return addresslist::defaultAddress(escapes::splitFields(tag(row)).value(3));
}
