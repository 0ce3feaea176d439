// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/importexport.h"

#include "app/importjob.h"
#include "core/document.h"
#include "exchange/exchangefile.h"
#include "exchange/exchangesummary.h"
#include "exchange/mergeimport.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "store/recordlistmodel.h"
#include "widgets/recordlistview.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QUrl>

#include <utility>

namespace {

// The section's files, as the dialogs offer them.
QString filterFor(SectionId section)
{
    switch (section) {
    case SectionId::Todos: return QStringLiteral("Calendar files (*.ics)");
    case SectionId::Contacts: return QStringLiteral("vCard files (*.vcf)");
    case SectionId::Websites: return QStringLiteral("Bookmark files (*.html)");
    case SectionId::Notes: return QStringLiteral("Notes (*.md *.txt)");
    }
    return QString();
}

QString extensionFor(SectionId section)
{
    switch (section) {
    case SectionId::Todos: return QStringLiteral(".ics");
    case SectionId::Contacts: return QStringLiteral(".vcf");
    case SectionId::Websites: return QStringLiteral(".html");
    case SectionId::Notes: break;
    }
    return QString();
}

QStringList importableFiles(const QMimeData *mime)
{
    QStringList files;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile() && exchange::sectionForImport(url.toLocalFile()))
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

ImportExport::ImportExport(const Services &services, Document *document, QWidget *window)
    : QObject(window)
    , m_services(services)
    , m_document(document)
    , m_window(window)
{
    setObjectName(QStringLiteral("importExport"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // Read on the worker thread like a dropped file: the window keeps drawing meanwhile.
    document->takeOverVerb(QStringLiteral("import"), [this](const QString &path, const auto &done) {
        importFile(path, done);
    });
}

ImportExport::~ImportExport()
{
    m_document->takeOverVerb(QStringLiteral("import"), {});
}

void ImportExport::addList(SectionId section, RecordListView *list)
{
    m_lists[size_t(section)] = list;
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, section, list](const QPoint &at) {
        menuFor(section)->popup(list->viewport()->mapToGlobal(at));
    });
}

QMenu *ImportExport::menuFor(SectionId section)
{
    delete m_menu;
    RecordListView *list = m_lists[size_t(section)];
    m_menu = new QMenu(list);
    m_menu->setObjectName(QStringLiteral("mnuImportExport"));
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool empty = m_document->model(section)->rowCount() == 0;
    const bool selected = list && list->currentRow() >= 0;
    m_menu->addAction(QStringLiteral("Import…"), this, [this, section] {
        const QString path = m_services.files->openFile(m_window, QStringLiteral("Import"), QDir::homePath(),
                                                        filterFor(section));
        if (!path.isEmpty())
            importFile(path);
    });
    m_menu->addAction(QStringLiteral("Export…"), this, [this, section] { exportRecords(section, false); })
        ->setEnabled(!empty);
    m_menu->addAction(QStringLiteral("Export Selected…"), this, [this, section] { exportRecords(section, true); })
        ->setEnabled(selected);
    return m_menu;
}

void ImportExport::importFile(const QString &path, const std::function<void(const verbs::Result &)> &done)
{
    m_waiting.append({path, done});
    if (!m_job)
        startNext();
}

void ImportExport::startNext()
{
    if (m_waiting.isEmpty()) {
        emit importsDone();
        return;
    }
    const Waiting next = m_waiting.takeFirst();
    m_done = next.done;
    m_job = new ImportJob(next.path, m_document->content(), this);
    // Shown only when the reading takes over a second; window-modal, so nothing is edited
    // under the merge, and the window keeps drawing.
    m_progress = new QProgressDialog(QStringLiteral("Importing %1…").arg(QFileInfo(m_job->path()).fileName()),
                                     QStringLiteral("Cancel"), 0, 1000, m_window);
    m_progress->setObjectName(QStringLiteral("dlgImportProgress"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(1000);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setValue(0);
    connect(m_progress, &QProgressDialog::canceled, m_job, &ImportJob::cancel);
    connect(m_job, &ImportJob::progressed, m_progress, [this](qint64 done, qint64 total) {
        m_progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
    });
    connect(m_job, &ImportJob::finished, this, &ImportExport::merged);
    m_job->start();
}

void ImportExport::merged(const ImportResult &result, const mergeimport::Plan &plan)
{
    const QString path = m_job->path();
    // The plan fits the list only if nothing changed it while the file was read.
    RecordListModel *model = m_document->model(result.section);
    const bool planFits = model->records().constData() == m_job->lists()[result.section].constData()
                          && model->count() == m_job->lists()[result.section].size();
    const bool cancelled = m_job->wasCancelled();
    m_job->deleteLater();
    m_job = nullptr;
    // Gone before any message: a box's own event loop would keep it on screen, and its
    // timer could still bring it up.
    m_progress->reset();
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
    const auto done = std::exchange(m_done, {});
    QString said;
    bool problem = true;
    if (cancelled)
        said = QStringLiteral("The import of \"%1\" was cancelled in the Quillet window.").arg(path);
    else if (!result.ok())
        said = result.error;
    else if (!m_document->isOpen())
        said = QStringLiteral("Quillet's window had closed its data, so nothing was imported.");
    else {
        mergeimport::Counts counts = plan.counts;
        if (planFits)
            mergeimport::apply(*model, plan, m_document->undoStack());
        else
            counts = mergeimport::mergeInto(*model, result.section, result.records, m_document->undoStack());
        said = exchangesummary::imported(result, counts, path);
        problem = false;
    }
    if (done) {
        const QString line = said + QLatin1Char('\n');
        done(problem ? verbs::Result{1, QString(), line} : verbs::Result{0, line, QString()});
    } else if (!cancelled && (!result.ok() || m_document->isOpen())) {
        tell(said, problem);
    }
    startNext();
}

void ImportExport::exportRecords(SectionId section, bool selectedOnly)
{
    QList<int> rows;
    RecordListView *list = m_lists[size_t(section)];
    if (selectedOnly) {
        if (!list || list->currentRow() < 0)
            return;
        rows = {list->currentRow()};
    }
    QString path;
    if (section == SectionId::Notes) {
        path = m_services.files->chooseFolder(m_window, QStringLiteral("Export notes into"), QDir::homePath());
        if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
    } else {
        path = m_services.files->saveFile(m_window, QStringLiteral("Export"), QDir::homePath(), filterFor(section));
        // A name typed without the section's extension would otherwise be refused.
        if (!path.isEmpty() && exchange::sectionForExport(path) != section)
            path += extensionFor(section);
    }
    if (path.isEmpty())
        return;
    const exchange::ExportResult written = exchange::exportRecords(
        section, m_document->model(section)->records(), path, m_services.clock->now().toUTC(), rows);
    tell(written.ok() ? exchangesummary::exported(written, path) : written.error, !written.ok());
}

void ImportExport::tell(const QString &text, bool problem)
{
    m_services.messages->show(m_window, text, QString(), MessageBoxes::Buttons::Ok,
                              problem ? MessageBoxes::Icon::Exclamation : MessageBoxes::Icon::Information);
}

bool ImportExport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!importableFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = importableFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            for (const QString &file : files)
                importFile(file);
            return true;
        }
    }
    return false;
}
