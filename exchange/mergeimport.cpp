#include "exchange/mergeimport.h"

#include "core/contactrecord.h"
#include "core/todorecord.h"
#include "core/websiterecord.h"
#include "exchange/recorduid.h"
#include "store/recordlistmodel.h"

#include <QHash>

namespace mergeimport {
namespace {

/// The same record, but for the UID a record matched by its derived UID does not store yet.
bool sameRecord(SectionId section, const Record &have, const Record &incoming)
{
    if (have.caption != incoming.caption)
        return false;
    switch (section) {
    case SectionId::Todos: {
        TodoRecord a = TodoRecord::fromTag(have.tag);
        TodoRecord b = TodoRecord::fromTag(incoming.tag);
        a.uid = b.uid;
        // A file has one name for both: the caption stands for a subject never typed.
        for (TodoRecord *todo : {&a, &b}) {
            if (todo->subject.isEmpty())
                todo->subject = have.caption;
        }
        return a == b;
    }
    case SectionId::Contacts: {
        ContactRecord a = ContactRecord::fromTag(have.tag);
        const ContactRecord b = ContactRecord::fromTag(incoming.tag);
        a.uid = b.uid;
        return a == b;
    }
    case SectionId::Websites: return WebsiteRecord::fromTag(have.tag) == WebsiteRecord::fromTag(incoming.tag);
    case SectionId::Notes: return have.tag == incoming.tag;
    }
    return false;
}

} // namespace

Counts mergeInto(RecordListModel &model, SectionId section, const QList<Record> &records)
{
    QHash<QString, int> rows;
    const QStringList have = recorduid::identities(section, model.records());
    for (int row = int(have.size()) - 1; row >= 0; --row) {
        if (!have[row].isEmpty())
            rows.insert(have[row], row);
    }
    const QStringList keys = recorduid::identities(section, records);
    Counts counts;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record &record = records[i];
        const auto found = keys[i].isEmpty() ? rows.constEnd() : rows.constFind(keys[i]);
        if (found == rows.constEnd()) {
            const int row = model.appendRecord(record.caption, record.tag);
            if (!keys[i].isEmpty())
                rows.insert(keys[i], row);
            ++counts.added;
            continue;
        }
        const int row = found.value();
        const Record current{model.caption(row), model.tag(row)};
        if (sameRecord(section, current, record)) {
            ++counts.unchanged;
            continue;
        }
        model.setCaption(row, record.caption);
        model.setTag(row, record.tag);
        ++counts.updated;
    }
    return counts;
}

} // namespace mergeimport
