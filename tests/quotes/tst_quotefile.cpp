#include "quotes/quotefile.h"

#include <QTest>

class TestQuoteFile : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("last line without line end") << QByteArray("One\r\nTwo") << QStringList{"One", "Two"};
        QTest::newRow("empty lines") << QByteArray("\r\nOne\r\n\r\n") << QStringList{"", "One", ""};
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QCOMPARE(quotefile::parse(bytes), expected);
    }

    void serialize_data()
    {
        QTest::addColumn<QStringList>("quotes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("none") << QStringList() << QByteArray();
        QTest::newRow("CR LF each") << QStringList{"One", "", "Café €"} << QByteArray("One\r\n\r\nCaf\xe9 \x80\r\n");
        QTest::newRow("beyond Windows-1252")
            << QStringList{QStringLiteral("你 😀")} << QByteArray("[u+4F60] [u+D83D][u+DE00]\r\n");
        QTest::newRow("line break inside") << QStringList{"a\nb"} << QByteArray("a[u+000A]b\r\n");
        QTest::newRow("looks like an escape") << QStringList{"[u+0041]"} << QByteArray("[u+005B]u+0041]\r\n");
    }

    void serialize()
    {
        QFETCH(QStringList, quotes);
        QFETCH(QByteArray, expected);
        QCOMPARE(quotefile::serialize(quotes), expected);
        QCOMPARE(quotefile::parse(expected), quotes);
    }
};

QTEST_MAIN(TestQuoteFile)
#include "tst_quotefile.moc"
