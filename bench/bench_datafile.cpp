// SPDX-License-Identifier: GPL-3.0-or-later
// Times turning a full data file's bytes into the four lists' records and back, and starting
// the main window over that file until it is shown.
#include "app/mainwindow.h"
#include "bench/benchdata.h"
#include "bench/silentservices.h"
#include "core/document.h"
#include "platform/clock.h"
#include "platform/textfile.h"
#include "store/recoverycopy.h"
#include "widgets/section.h"

#include <QApplication>
#include <QElapsedTimer>
#include "store/recordlistmodel.h"
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int perSection = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 32767;
    const DataFileContent content = benchContent(perSection);
    const QByteArray bytes = serializeDataFile(content);
    out << "records: " << perSection << " in each of 4 sections, file " << bytes.size() / 1024 << " KiB\n";

    out << "bytes -> records: " << medianMs(9, [&] { (void)parseDataFile(bytes); }) << " ms (median of 9)\n";
    // The same file with line breaks inside the records, as hand-edited files have them, with
    // CR LF and with LF-only line ends.
    QByteArray crlf = bytes;
    crlf.replace("[crlf]", "\r\n");
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    out << "breaks inside records, CR LF (" << crlf.size() / 1024 << " KiB): "
        << medianMs(5, [&] { (void)parseDataFile(crlf); }) << " ms (median of 5)\n";
    out << "breaks inside records, LF only (" << lf.size() / 1024 << " KiB): "
        << medianMs(5, [&] { (void)parseDataFile(lf); }) << " ms (median of 5)\n";
    if (qEnvironmentVariableIsSet("QUILLET_BENCH_PARSE_ONLY"))
        return 0;
    out << "records -> bytes (streamed in 64 KiB pieces, as a save makes them): "
        << medianMs(9, [&] { writeDataFile(content, [](QByteArrayView) { return true; }); }) << " ms (median of 9)\n";

    QTemporaryDir folder;
    writeFileAtomically(folder.filePath("savedfile.qlt"), bytes);
    SilentServices silent;
    SystemClock clock;
    const Services services{&clock, &silent, &silent, &silent, &silent, folder.path(), {}};
    const double start = medianMs(3, [&] {
        Document document(services);
        MainWindow window(services, &document);
        window.load();
        window.show();
        QApplication::processEvents();
    });
    out << "main window created, loaded and shown: " << start << " ms (median of 3)\n";

    Document document(services);
    MainWindow window(services, &document);
    window.load();
    out << "save of the full lists: " << medianMs(3, [&] { document.save(); }) << " ms (median of 3)\n";

    // The window only takes the snapshot; serializing and writing happen on the writer thread.
    QList<double> blocked, whole;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        document.writeRecoveryCopy();
        blocked.append(timer.nsecsElapsed() / 1e6);
        document.recoveryCopy()->waitForWrites();
        whole.append(timer.nsecsElapsed() / 1e6);
        window.section(SectionId::Notes)->model()->setCaption(0, QString::number(i)); // a change
    }
    std::sort(blocked.begin(), blocked.end());
    std::sort(whole.begin(), whole.end());
    out << "recovery copy, window blocked: " << blocked[2] << " ms (median of 5, worst " << blocked[4]
        << "); written in the background within " << whole[2] << " ms\n";
    return 0;
}
