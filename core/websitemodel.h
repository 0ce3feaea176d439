// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/websiterecord.h"
#include "core/searchtext.h"
#include "store/typedrecordmodel.h"

/// The favourite websites in list order.
class WebsiteModel : public TypedRecordModel<WebsiteRecord>
{
public:
    using TypedRecordModel::TypedRecordModel;

    QString searchableText(int row) const override { return searchtext::website(caption(row), tag(row)); }

    /// The URL to hand to the desktop; none for a website never edited.
    std::optional<QString> urlToOpen(int row) const { return websiterecord::urlToOpen(tag(row)); }
};
