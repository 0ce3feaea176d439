// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/mergeimport.h"

#include "core/contactrecord.h"
#include "core/importcommand.h"
#include "core/todorecord.h"
#include "core/websiterecord.h"
#include "exchange/recorduid.h"
#include "store/recordlistmodel.h"

#include <QHash>
#include <QUndoStack>

#include <memory>

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

Plan plan(SectionId section, const QList<Record> &have, const QList<Record> &records)
{
    QHash<QString, int> rows;
    const QStringList haveKeys = recorduid::identities(section, have);
    for (int row = int(haveKeys.size()) - 1; row >= 0; --row) {
        if (!haveKeys[row].isEmpty())
            rows.insert(haveKeys[row], row);
    }
    const QStringList keys = recorduid::identities(section, records);
    const int haveCount = int(have.size());
    Plan result;
    // The list as it will stand: a record the file holds twice updates the row its first made.
    const auto current = [&](int row) -> const Record & {
        if (row >= haveCount)
            return result.added[row - haveCount];
        const auto updated = result.updated.constFind(row);
        return updated == result.updated.constEnd() ? have[row] : updated.value();
    };
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record &record = records[i];
        const auto found = keys[i].isEmpty() ? rows.constEnd() : rows.constFind(keys[i]);
        if (found == rows.constEnd()) {
            if (!keys[i].isEmpty())
                rows.insert(keys[i], haveCount + int(result.added.size()));
            result.added.append(record);
            ++result.counts.added;
            continue;
        }
        const int row = found.value();
        if (sameRecord(section, current(row), record)) {
            ++result.counts.unchanged;
            continue;
        }
        if (row >= haveCount)
            result.added[row - haveCount] = record;
        else
            result.updated.insert(row, record);
        ++result.counts.updated;
    }
    return result;
}

void apply(RecordListModel &model, const Plan &plan, QUndoStack *history)
{
    if (plan.updated.isEmpty() && plan.added.isEmpty())
        return;
    auto import = std::make_unique<ImportCommand>(&model, plan.updated, plan.added);
    if (history)
        history->push(import.release());
    else
        import->redo();
}

Counts mergeInto(RecordListModel &model, SectionId section, const QList<Record> &records, QUndoStack *history)
{
    const Plan planned = plan(section, model.records(), records);
    apply(model, planned, history);
    return planned.counts;
}

} // namespace mergeimport
