#pragma once

#include "store/recordlistmodel.h"
#include "websites/websiterecord.h"

/// The favourite websites in list order.
class WebsiteModel : public RecordListModel
{
    Q_OBJECT
public:
    using RecordListModel::RecordListModel;

    WebsiteRecord record(int row) const { return WebsiteRecord::fromTag(tag(row)); }
    void setRecord(int row, const WebsiteRecord &record) { setTag(row, record.toTag()); }
    /// The URL to hand to the desktop; none for a website never edited.
    std::optional<QString> urlToOpen(int row) const { return websiterecord::urlToOpen(tag(row)); }
};
