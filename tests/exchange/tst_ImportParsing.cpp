// The import's reading of a file and checking of its values, without a window.
#include "DaoType.h"
#include "DelimitedLine.h"
#include "FieldDef.h"
#include "ImportText.h"
#include "ImportValue.h"

#include <QTest>

class tst_ImportParsing : public QObject {
    Q_OBJECT
private slots:
    void splitsWithDetectedDelimiter_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("a tab wins over commas") << "Smith, Ann\t3" << "\t" << QStringList{"Smith, Ann", "3"};
        QTest::newRow("a comma inside quotes belongs to the unquoted value")
            << "Smith,\"12 Elm St, Apt 4\",Dover" << "," << QStringList{"Smith", "12 Elm St, Apt 4", "Dover"};
        QTest::newRow("a tab inside quotes is no delimiter") << "\"a\tb\"\tc" << "\t" << QStringList{"a\tb", "c"};
        QTest::newRow("a doubled quote inside quotes is one quote")
            << "\"say \"\"hi\"\"\",x" << "," << QStringList{"say \"hi\"", "x"};
        QTest::newRow("a stray quote in an unquoted value is dropped") << "6'2\",x" << "," << QStringList{"6'2", "x"};
        QTest::newRow("empty values stay in their places") << ",,a," << "," << QStringList{"", "", "a", ""};
    }

    void splitsWithDetectedDelimiter()
    {
        QFETCH(QString, line);
        QFETCH(QString, delimiter);
        QCOMPARE(DelimitedLine::Detect(line), delimiter.front());
        QTEST(DelimitedLine::Split(line, delimiter.front()), "values");
    }

    void decodesFileText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-8 with a byte-order mark, CR LF")
            << QByteArray("\xEF\xBB\xBFM\xC3\xBCller,a\r\nb\r\n") << QStringList{"Müller,a", "b"};
        QTest::newRow("Windows-1252 accents, LF, no end at the last line")
            << QByteArray("Ren\xE9\n\x80 5\n\x93q\x94") << QStringList{"René", "€ 5", "“q”"};
        QTest::newRow("an empty line between lines is kept") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
    }

    void decodesFileText()
    {
        QFETCH(QByteArray, bytes);
        QTEST(ImportText::Lines(ImportText::Decode(bytes)), "lines");
    }

    void checksValues_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("result"); // the literal, empty when the value is refused; the messages
        const QString longName = "Abcdefghijklmnopqrstuvwxy";
        QTest::newRow("apostrophes doubled") << int(dbText) << 20 << " O'Brien " << QStringList{"'O''Brien'"};
        QTest::newRow("too long for its field")
            << int(dbText) << 20 << longName
            << QStringList{"'Abcdefghijklmnopqrst'",
                           "Data imported into lname (\"Abcdefghij\"...) had to be truncated"};
        QTest::newRow("a memo is not cut") << int(dbMemo) << 0 << longName << QStringList{"'" + longName + "'"};
        QTest::newRow("a number") << int(dbInteger) << 2 << " 210" << QStringList{"210"};
        QTest::newRow("a statement for a number") << int(dbLong) << 4 << "1); DELETE FROM Patients" << QStringList{""};
        QTest::newRow("an empty number") << int(dbInteger) << 2 << "" << QStringList{""};
        QTest::newRow("a date") << int(dbDate) << 8 << "1/2/1960" << QStringList{"#01/02/1960#"};
        QTest::newRow("no date") << int(dbDate) << 8 << "soon" << QStringList{""};
        QTest::newRow("a date with a hash") << int(dbDate) << 8 << "1/2/1960# OR 1=1 #1/2/1960" << QStringList{""};
        QTest::newRow("a yes") << int(dbBoolean) << 1 << "yes" << QStringList{"True"};
    }

    void checksValues()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(QString, value);
        QStringList logged;
        const auto literal = ImportValue::Literal({QStringLiteral("lname"), type, size}, value, logged);
        QTEST(QStringList{literal.value_or(QString())} + logged, "result");
    }
};

QTEST_APPLESS_MAIN(tst_ImportParsing)
#include "tst_ImportParsing.moc"
