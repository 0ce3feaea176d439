// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verbs.h"
#include "platform/instanceguard.h"
#include "platform/services.h"
#include "store/datastore.h"
#include "store/sectionmodels.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class ContactModel;
class NoteModel;
class QTimer;
class QUndoStack;
class QWidget;
class RecoveryCopy;
class TodoModel;
class WebsiteModel;

/// The user's data as one thing that lives, changes and saves with or without a window: the
/// four sections' models, the data file, the recovery copy of what changed since the last save,
/// and the folder's lock. Every question and message goes through the services' message boxes.
class Document : public QObject
{
    Q_OBJECT
public:
    /// Uses the services' clock, message boxes and data folder; nothing of a window.
    explicit Document(const Services &services, QObject *parent = nullptr);
    ~Document() override;

    WebsiteModel *websites() const { return m_websites; }
    ContactModel *contacts() const { return m_contacts; }
    NoteModel *notes() const { return m_notes; }
    TodoModel *todos() const { return m_todos; }
    RecordListModel *model(SectionId id) const { return m_models[size_t(id)]; }
    /// The changes made to the records while the program runs, to undo and redo; a save keeps it.
    QUndoStack *undoStack() const { return m_undoStack; }
    /// The four lists as they stand; shared with the models, not copied.
    DataFileContent content() const { return contentOf(m_models); }

    QString path() const { return m_store.path(); }
    RecoveryCopy *recoveryCopy() const { return m_recoveryCopy; }

    /// Claims the data folder for this document: a lock beside the data file, and a socket
    /// through which later starts reach it. Ours or Unguarded: this document may write. HeldHere:
    /// a copy on this computer has it (askRunningCopy reaches it); HeldElsewhere: another computer.
    InstanceGuard::Claim claimFolder();
    /// The lock and the socket: what holds the folder, and the way to the copy that does. Made
    /// when first asked for: a document that only reads needs neither.
    InstanceGuard &guard();

    /// Questions and messages are centred on this window; none centres them on the screen.
    void setDialogParent(QWidget *window);

    /// Fills the models from the data file, first offering what a run that did not end properly
    /// left in the recovery copy. A damaged file is reported once the event loop runs.
    void load();
    /// Loaded and not yet closed: it holds what the user has.
    bool isOpen() const { return m_loaded && !m_closed; }
    /// Something changed since the load or the last save.
    bool isModified() const { return m_modified; }
    /// What was wrong with the data file at load(); empty when it was read whole.
    QString loadProblem() const { return m_loadProblem; }

    /// Writes the four lists to the data file; false (after the error box) when it failed, and
    /// false at once before load(): empty lists must never replace the user's file.
    bool save();
    /// The last save, as the program ends (none before load()): when it fails, what the lists
    /// hold is kept in the recovery copy before the user is told.
    void close();

    /// A verb handed over by a later start, done the window's way (in the background, with the
    /// window's own feedback) instead of at once on this thread; done gets its result.
    using HandedVerb = std::function<void(const QString &value, const std::function<void(const verbs::Result &)> &done)>;
    void takeOverVerb(const QString &name, HandedVerb run) { m_takenOver[name] = std::move(run); }
    /// The way the window does the verb, or an empty function.
    const HandedVerb &takenOverVerb(const QString &name) const;

    /// A change the models do not show yet (typing in a box not yet left): the recovery copy
    /// follows within the interval.
    void noteChange();
    /// One recovery tick: the lists as they stand, with what is typed in a box not yet left, go
    /// to the recovery copy in the background.
    void writeRecoveryCopy();

signals:
    /// Before the lists are read: whoever shows them hands over what is typed in a box not yet
    /// left. quietly: without a word to the user and without moving their cursor.
    void pendingEditsWanted(bool quietly);
    void modifiedChanged(bool modified);
    /// The data file now holds the lists as they stood at the save.
    void saved();
    /// A later start asked the copy that holds the folder to show itself.
    void showRequested();

private:
    void watchModels();
    void setModified(bool modified);
    bool save(bool closing);
    /// Asks whether to restore a copy left by a run that did not end properly; the content to load.
    DataFileContent recoverOrKeepAside(DataFileContent loaded);
    void reportLoadProblem();
    void answerRequest(const QByteArray &request, const InstanceGuard::Reply &reply);
    QWidget *dialogParent() const;

    const Services &m_services;
    DataStore m_store;
    WebsiteModel *m_websites;
    ContactModel *m_contacts;
    NoteModel *m_notes;
    TodoModel *m_todos;
    SectionModels m_models;
    QUndoStack *m_undoStack;
    RecoveryCopy *m_recoveryCopy;
    QTimer *m_recoveryTimer;
    std::unique_ptr<InstanceGuard> m_guard;
    std::map<QString, HandedVerb> m_takenOver;
    QPointer<QObject> m_dialogParent;
    QString m_loadProblem;
    bool m_loadUnreadable = false;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_closed = false;
    bool m_modified = false;
};
