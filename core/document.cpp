// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document.h"

#include "core/changerecordcommand.h"
#include "core/contactmodel.h"
#include "core/notemodel.h"
#include "core/todomodel.h"
#include "core/verbs.h"
#include "core/websitemodel.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "store/recoverycopy.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

Document::Document(const Services &services, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_store(services.dataFolder.isEmpty() ? services.folder : services.dataFolder)
    , m_websites(new WebsiteModel(this))
    , m_contacts(new ContactModel(this))
    , m_notes(new NoteModel(this))
    , m_todos(new TodoModel(this))
    , m_models{m_websites, m_contacts, m_notes, m_todos}
    , m_undoStack(new QUndoStack(this))
    , m_recoveryCopy(new RecoveryCopy(m_store.path(),
                                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), this))
    , m_recoveryTimer(new QTimer(this))
{
    // Not restarted by each change: a copy follows the first change within the interval even
    // while the user keeps typing; nothing runs while nothing changes.
    m_recoveryTimer->setObjectName(QStringLiteral("tmrRecovery"));
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(3000);
    connect(m_recoveryTimer, &QTimer::timeout, this, &Document::writeRecoveryCopy);
    watchModels();
}

Document::~Document() = default;

void Document::watchModels()
{
    const auto changed = [this] { noteChange(); };
    for (RecordListModel *model : m_models) {
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::rowsMoved, this, changed);
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
        // A caption typed in place is a rename the user can take back.
        connect(model, &RecordListModel::captionEdited, this, [this, model](int row, const QString &before) {
            m_undoStack->push(new ChangeRecordCommand(model, row, {before, model->tag(row)},
                                                      model->record(row), QStringLiteral("Rename")));
        });
    }
}

InstanceGuard &Document::guard()
{
    if (!m_guard) {
        m_guard = std::make_unique<InstanceGuard>(m_store.path());
        connect(m_guard.get(), &InstanceGuard::showRequested, this, &Document::showRequested);
        m_guard->setRequestHandler([this](const QByteArray &request, const InstanceGuard::Reply &reply) {
            answerRequest(request, reply);
        });
    }
    return *m_guard;
}

InstanceGuard::Claim Document::claimFolder()
{
    return guard().claim();
}

void Document::setDialogParent(QWidget *window)
{
    m_dialogParent = window;
}

QWidget *Document::dialogParent() const
{
    return qobject_cast<QWidget *>(m_dialogParent.data());
}

void Document::load()
{
    DataStore::LoadResult loaded = m_store.load();
    m_loadProblem = loaded.problem;
    m_loadUnreadable = loaded.unreadable;
    DataFileContent content = recoverOrKeepAside(std::move(loaded.content));
    // The file's own records are no change; whatever the views do as they show them is none either.
    m_loading = true;
    // The history's rows are those of the lists it changed.
    m_undoStack->clear();
    fillModels(m_models, std::move(content));
    m_loading = false;
    m_loaded = true;
    if (!m_loadProblem.isEmpty())
        QTimer::singleShot(0, this, &Document::reportLoadProblem);
}

DataFileContent Document::recoverOrKeepAside(DataFileContent loaded)
{
    QByteArray bytes;
    const QString leftover = m_recoveryCopy->findLeftover(&bytes);
    if (leftover.isEmpty())
        return loaded;
    ParsedDataFile recovered = parseDataFile(bytes);
    if (recovered.content == loaded && recovered.problems.isEmpty()) {
        QFile::remove(leftover);
        return loaded;
    }
    // Asked before the window is shown: centred on the screen rather than on a hidden window.
    const auto answer = m_services.messages->show(
        nullptr,
        QStringLiteral("Quillet was not closed properly. Restore the changes made since the last save?"),
        QStringLiteral("Recover"), MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Yes) {
        m_store.keepAsideBeforeNextSave();
        setModified(true);
        return std::move(recovered.content); // the copy stays until the next save succeeds
    }
    if (answer == MessageBoxes::Answer::Dismissed) {
        // The program is ending before anyone answered: ask again at the next start.
        m_recoveryCopy->holdLeftover();
        return loaded;
    }
    m_recoveryCopy->keepAside(leftover, m_services.clock->now());
    return loaded;
}

void Document::reportLoadProblem()
{
    const QString text = m_loadUnreadable
        ? QStringLiteral("Your saved data could not be read: %1.\n\nIt is left as it is and will not "
                         "be replaced; what you type is kept in \"%2\" until it can be saved.")
              .arg(m_loadProblem, QFileInfo(m_recoveryCopy->path()).fileName())
        : QStringLiteral("Your saved data could not be read completely. %1\n\n"
                         "Everything that could be read is shown. The original file will be kept "
                         "as \"%2\" when you next save.")
              .arg(m_loadProblem, QStringLiteral("savedfile.qlt.bak"));
    m_services.messages->show(dialogParent(), text, QString(), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
}

void Document::noteChange()
{
    if (m_loading || !isOpen())
        return;
    setModified(true);
    if (!m_recoveryTimer->isActive())
        m_recoveryTimer->start();
}

void Document::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void Document::writeRecoveryCopy()
{
    emit pendingEditsWanted(true);
    m_recoveryCopy->writeLater(content());
}

bool Document::save()
{
    return save(false);
}

void Document::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_recoveryTimer->stop();
    if (m_loaded)
        save(true);
    m_recoveryCopy->waitForWrites();
}

bool Document::save(bool closing)
{
    if (!m_loaded)
        return false;
    emit pendingEditsWanted(false);
    const DataFileContent content = this->content();
    FileError error;
    const bool written = m_store.save(content, &error);
    if (!m_store.conflictCopy().isEmpty())
        tellOtherVersionKept(m_services.messages, dialogParent(), m_store.path(), m_store.conflictCopy());
    if (written) {
        m_recoveryTimer->stop();
        m_recoveryCopy->discard();
        emit saved();
        setModified(false);
        return true;
    }
    QString kept;
    if (closing) {
        // The program ends whatever happens: what is typed must be somewhere before it does.
        FileError recoveryError;
        const QString where = m_recoveryCopy->writeNow(content, &recoveryError);
        kept = where.isEmpty()
            ? QStringLiteral("\n\nYour changes could not be kept elsewhere either (%1): they are "
                             "lost when Quillet ends.").arg(recoveryError.description)
            : QStringLiteral("\n\nYour changes were kept in \"%1\"; Quillet offers them at its next "
                             "start.").arg(where);
    }
    m_services.messages->show(
        dialogParent(),
        QStringLiteral("Error in saving file.\nError number: %1\nError description: %2\n\n"
                       "Please e-mail %3 to help you.")
                .arg(error.number)
                .arg(error.description, appinfo::supportEmail())
            + kept,
        QStringLiteral("Error"), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
    return false;
}

void Document::answerRequest(const QByteArray &request, const InstanceGuard::Reply &reply)
{
    verbs::answer(*this, request, reply);
}

const Document::HandedVerb &Document::takenOverVerb(const QString &name) const
{
    static const HandedVerb none;
    const auto found = m_takenOver.find(name);
    return found == m_takenOver.end() ? none : found->second;
}
