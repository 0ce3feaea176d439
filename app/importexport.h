// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verbs.h"
#include "exchange/mergeimport.h"
#include "platform/services.h"
#include "store/datafile.h"

#include <QObject>
#include <QPointer>
#include <QList>

#include <functional>

class Document;
class ImportJob;
class RecordListView;
class QMenu;
class QProgressDialog;
struct ImportResult;

/// The window's way in and out for other programs' files: each section list's context menu
/// ("Import…", "Export…"), files dropped on the window, and imports read on a thread of their own
/// with a progress bar when they take a while. Every message goes through the message boxes.
class ImportExport : public QObject
{
    Q_OBJECT
public:
    /// Accepts drops on window, and takes over the imports later starts hand to the document,
    /// which outlives this.
    ImportExport(const Services &services, Document *document, QWidget *window);
    ~ImportExport() override;

    /// Gives the section's list its context menu.
    void addList(SectionId section, RecordListView *list);
    /// The context menu of the section's list as it stands (the selection decides what may be
    /// exported alone).
    QMenu *menuFor(SectionId section);

    /// Reads the file in the background and merges it on this thread; files asked for while one
    /// is read wait their turn. The outcome goes to done, or without one to the user.
    void importFile(const QString &path, const std::function<void(const verbs::Result &)> &done = {});
    /// Asks where to, and writes the section's records: all, or the list's selected one.
    void exportRecords(SectionId section, bool selectedOnly);
    bool isImporting() const { return m_job != nullptr; }

signals:
    /// An import was merged, failed or was cancelled, and none waits.
    void importsDone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startNext();
    void merged(const ImportResult &result, const mergeimport::Plan &plan);
    void tell(const QString &text, bool problem);

    const Services &m_services;
    Document *m_document;
    QWidget *m_window;
    RecordListView *m_lists[kSectionCount] = {};
    QPointer<QMenu> m_menu;
    struct Waiting
    {
        QString path;
        std::function<void(const verbs::Result &)> done;
    };
    QList<Waiting> m_waiting;
    std::function<void(const verbs::Result &)> m_done;
    ImportJob *m_job = nullptr;
    QProgressDialog *m_progress = nullptr;
};
