// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

/// The include check the build runs first, on a made-up source tree.
class LayersTest : public QObject
{
    Q_OBJECT
private slots:
    void includes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault"); // empty: the tree passes
        QTest::newRow("down a layer") << "store/a.cpp" << "#include \"platform/textfile.h\"" << "";
        QTest::newRow("own folder") << "todos/a.h" << "#include \"todos/todomodel.h\"" << "";
        QTest::newRow("top to a section") << "app/a.cpp" << "#include \"notes/notessection.h\"" << "";
        QTest::newRow("library and system headers") << "platform/a.cpp" << "#include <QWidget>\n# include <sys/stat.h>" << "";
        QTest::newRow("not a layer") << "store/a.cpp" << "#include \"tests/support/fakes.h\"" << "";
        QTest::newRow("commented out") << "store/a.cpp" << "// #include \"app/mainwindow.h\"" << "";
        QTest::newRow("exchange on core") << "exchange/a.cpp" << "#include \"core/document.h\"" << "";
        QTest::newRow("up to the top") << "store/datastore.cpp" << "#include \"app/mainwindow.h\""
            << "store/datastore.cpp includes \"app/mainwindow.h\": app/ is a layer above store/";
        QTest::newRow("up one layer") << "core/a.h" << "#include <widgets/section.h>"
            << "core/a.h includes \"widgets/section.h\": widgets/ is a layer above core/";
        QTest::newRow("spaced out") << "platform/a.h" << "  #  include   \"store/datafile.h\""
            << "platform/a.h includes \"store/datafile.h\"";
        QTest::newRow("by a relative path") << "platform/a.cpp" << "#include \"../store/datafile.h\""
            << "platform/a.cpp includes \"store/datafile.h\": store/ is a layer above platform/";
        QTest::newRow("sibling section") << "notes/a.h" << "#include \"todos/todomodel.h\""
            << "notes/a.h includes \"todos/todomodel.h\": todos/ is a sibling of notes/";
        QTest::newRow("section to the top") << "about/a.cpp" << "#include \"app/navigation.h\""
            << "about/a.cpp includes \"app/navigation.h\"";
    }
    void includes()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, fault);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(file).path()));
        QFile source(root.filePath(file));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(QStringLiteral("#include <QString>\n%1\nint x;\n").arg(text).toUtf8());
        source.close();

        QProcess check;
        check.start(QStringLiteral(QUILLET_CMAKE_COMMAND),
                    {QStringLiteral("-DROOT=") + root.path(), QStringLiteral("-P"),
                     qEnvironmentVariable("QUILLET_SOURCE_DIR") + QStringLiteral("/cmake/checklayers.cmake")});
        QVERIFY(check.waitForFinished(30000));
        const QString output = QString::fromUtf8(check.readAllStandardError()).simplified();
        QCOMPARE(check.exitCode() != 0, !fault.isEmpty());
        QVERIFY2(output.contains(fault), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(LayersTest)
#include "tst_layers.moc"
