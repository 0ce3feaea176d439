// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow.h"
#include "core/document.h"
#include "platform/ansitext.h"
#include "platform/services.h"
#include "store/datafile.h"
#include "tests/support/fakes.h"
#include "tests/support/uihelpers.h"
#include "widgets/recordlistview.h"

#include <QTemporaryDir>

/// A data file cut off inside its second section.
inline const QByteArray kDamagedDataFile = ansi::encode(QStringLiteral(
    "Quillet 1.0 - 1.0.9\r\nHome¤Home¶url¶desc§\r\n<end of section>\r\nAnn¤Ann¶L"));

/// A main window over a temporary program folder, with fake clock, sound, shell, boxes and
/// file dialogs. Nothing leaves the folder; no real box or sound ever appears.
class MainWindowFixture
{
public:
    MainWindowFixture();
    ~MainWindowFixture() { crash(); }

    /// Writes a file into the program folder (before open()).
    void writeFile(const QString &relative, const QByteArray &bytes);
    QByteArray readFile(const QString &relative) const;
    QString dataFilePath() const { return services.dataPath(QStringLiteral("savedfile.qlt")); }
    /// Writes a data file holding only the given records of one section.
    void writeRecords(SectionId id, const QList<Record> &records)
    {
        DataFileContent content;
        content[id] = records;
        writeFile(QStringLiteral("savedfile.qlt"), serializeDataFile(content));
    }
    /// The records of one section in the data file as last saved.
    QList<Record> saved(SectionId id) const { return parseDataFile(readFile(QStringLiteral("savedfile.qlt"))).content[id]; }

    /// Creates the document and its window and runs the load step; shown and active when show
    /// is set.
    MainWindow *open(bool show = true);
    /// The document alone, loaded, as a run without a window has it.
    Document *openDocument();
    MainWindow *openWith(SectionId id, const QList<Record> &records, bool show = true)
    {
        writeRecords(id, records);
        return open(show);
    }
    /// Closes the window (it saves) and deletes it.
    void close();
    /// The program ends without a close or a save.
    void crash()
    {
        delete std::exchange(window, nullptr);
        delete std::exchange(document, nullptr);
    }
    /// close() then open(): a restart of the program over the same folder.
    MainWindow *restart()
    {
        close();
        return open();
    }

    /// Hovers a picture button and clicks the hover picture that then shows, as a user does.
    void clickPicture(const QString &name);
    /// Clicks a control of the window by name, through the window.
    void press(const QString &name) { clickAt(find<QWidget>(name)); }

    template <typename T> T *find(const QString &name) const { return window ? window->findChild<T *>(name) : nullptr; }
    RecordListView *list(const QString &name) const { return find<RecordListView>(name); }

    QTemporaryDir folder;
    FakeClock clock;
    FakeSound sound;
    FakeShell shell;
    FakeMessageBoxes messages;
    FakeFileDialogs files;
    FakeNotifier notifier;
    Services services;
    Document *document = nullptr;
    MainWindow *window = nullptr;
};
