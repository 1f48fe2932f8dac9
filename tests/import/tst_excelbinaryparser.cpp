#include "import/CompoundFile.h"
#include "import/ExcelBinaryParser.h"
#include "model/Error.h"

#include "BiffBuilder.h"
#include "CompoundFileBuilder.h"

#include <QLocale>
#include <QTest>

namespace {

QStringList Read(const QByteArray& Stream, const QString& StreamName = QStringLiteral("Workbook"))
{
    const TCompoundFile File(MakeCompoundFile({{StreamName, Stream}}), QStringLiteral("book.xls"));
    return TExcelBinaryParser::Parse(File, QString(), QStringLiteral("book.xls"));
}

QByteArray Records(const std::function<void(TBiff&)>& Build)
{
    TBiff Out;
    Build(Out);
    return Out.Bytes();
}

// A FORMULA record in column Column with the cached result Value, under Type.
void Formula(TBiff& Sheet, quint16 Row, quint16 Column, const QByteArray& Value, quint16 Type = 0x0006)
{
    Sheet.Record(Type, TBiff::Cell(Row, Column) + Value + QByteArray(6, 0));
}

// The cached result of a formula that is no number: its kind and one byte of value.
QByteArray Result(char Kind, char Value = 0)
{
    return QByteArray(1, Kind) + char(0) + char(Value) + QByteArray(3, 0) + QByteArray("\xFF\xFF", 2);
}

QByteArray Chart(const std::function<void(TBiff&)>& Inside)
{
    return Records([&](TBiff& Chart) {
        Chart.Record(0x0809, TBiff::Bof(TBiff::Biff8, 0x0020));
        Inside(Chart);
        Chart.Record(0x000A, {});
    });
}

// An Excel 5.0/95 workbook whose column A holds Text as a label, a rich-text label and a
// formula's text, with the code page given unless it is 0.
QByteArray Biff5Workbook(quint16 CodePage, const QByteArray& Text, bool Obfuscated = false)
{
    return TBiff::Workbook(
        [&](TBiff& Sheet) {
            QByteArray Dimensions;
            TBiff::U16(Dimensions, 0), TBiff::U16(Dimensions, 4), TBiff::U16(Dimensions, 0), TBiff::U16(Dimensions, 1);
            TBiff::U16(Dimensions, 0);
            Sheet.Record(0x0200, Dimensions);
            Sheet.Record(0x0204, TBiff::Cell(0, 0) + TBiff::Narrow(Text));
            Sheet.Record(0x00D6, TBiff::Cell(1, 0) + TBiff::Narrow(Text) + QByteArray("\x01\x00\x00", 3));
            Formula(Sheet, 2, 0, Result(0));
            Sheet.Record(0x0207, TBiff::Narrow(Text));
        },
        [&](TBiff& Globals) {
            if (Obfuscated)
                Globals.Record(0x002F, QByteArray("\x01\x02\x03\x04", 4));
            if (CodePage == 0)
                return;
            QByteArray Body;
            TBiff::U16(Body, CodePage);
            Globals.Record(0x0042, Body);
        },
        TBiff::Biff5);
}

} // namespace

class TestExcelBinaryParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void readsColumnAThroughTheLastUsedRow()
    {
        const QStringList Lines = Read(TBiff::Workbook([](TBiff& Sheet) {
            QByteArray Dimensions;
            TBiff::U32(Dimensions, 0), TBiff::U32(Dimensions, 7), TBiff::U16(Dimensions, 0), TBiff::U16(Dimensions, 3), TBiff::U16(Dimensions, 0);
            Sheet.Record(0x0200, Dimensions);
            Sheet.Record(0x0204, TBiff::Cell(0, 0) + TBiff::Latin("label"));
            QByteArray Rk = TBiff::Cell(1, 0);
            TBiff::U32(Rk, (12u << 2) | 2u); // integer 12
            Sheet.Record(0x027E, Rk);
            QByteArray Cents = TBiff::Cell(2, 0);
            TBiff::U32(Cents, (350u << 2) | 3u); // integer 350 / 100
            Sheet.Record(0x027E, Cents);
            Sheet.Record(0x0203, TBiff::Cell(3, 0) + TBiff::Double(1e21));
            Sheet.Record(0x0205, TBiff::Cell(4, 0) + QByteArray("\x01\x00", 2));
            Sheet.Record(0x0204, TBiff::Cell(6, 2) + TBiff::Latin("C7"));
        }));
        QCOMPARE(Lines, QStringList({"label", "12", "3.5", "1E+21", "TRUE", "", ""}));
    }

    void withoutDimensionsUsesTheCells()
    {
        const QStringList Lines = Read(TBiff::Workbook([](TBiff& Sheet) {
            QByteArray MulRk = TBiff::Cell(2, 0).left(4);
            for (quint32 Value : {5u, 6u, 7u}) {
                TBiff::U16(MulRk, 0);
                TBiff::U32(MulRk, (Value << 2) | 2u);
            }
            TBiff::U16(MulRk, 2);
            Sheet.Record(0x00BD, MulRk);
            Sheet.Record(0x0205, TBiff::Cell(0, 0) + QByteArray("\x07\x01", 2));
        }));
        QCOMPARE(Lines, QStringList({"#DIV/0!", "", "5"}));
    }

    void formulasGiveTheirCachedValues()
    {
        const QStringList Lines = Read(TBiff::Workbook([](TBiff& Sheet) {
            const auto Formula = [&](quint16 Row, const QByteArray& Value) {
                Sheet.Record(0x0006, TBiff::Cell(Row, 0) + Value + QByteArray(6, 0));
            };
            Formula(0, TBiff::Double(2.25));
            Formula(1, QByteArray("\x00\x00\x00\x00\x00\x00\xFF\xFF", 8));
            Sheet.Record(0x0207, TBiff::Latin("from formula"));
            Formula(2, QByteArray("\x01\x00\x00\x00\x00\x00\xFF\xFF", 8));
            Formula(3, QByteArray("\x03\x00\x00\x00\x00\x00\xFF\xFF", 8));
        }));
        QCOMPARE(Lines, QStringList({"2.25", "from formula", "FALSE", ""}));
    }

    void sharedStringsContinueAcrossRecords()
    {
        const QStringList Lines = Read(TBiff::Workbook(
            [](TBiff& Sheet) {
                for (quint32 Index : {0u, 1u}) {
                    QByteArray Cell = TBiff::Cell(quint16(Index), 0);
                    TBiff::U32(Cell, Index);
                    Sheet.Record(0x00FD, Cell);
                }
            },
            [](TBiff& Globals) {
                QByteArray Sst;
                TBiff::U32(Sst, 2), TBiff::U32(Sst, 2);
                // "AB中文": two 8-bit characters here, the rest in UTF-16 after the break.
                TBiff::U16(Sst, 4);
                Sst += char(0x08); // rich text with one run
                TBiff::U16(Sst, 1);
                Sst += "AB";
                Globals.Record(0x00FC, Sst);
                QByteArray Continued;
                Continued += char(0x01);
                TBiff::U16(Continued, 0x4E2D), TBiff::U16(Continued, 0x6587);
                Continued += QByteArray(4, 0); // the formatting run
                Continued += TBiff::Latin("second");
                Globals.Record(0x003C, Continued);
            }));
        QCOMPARE(Lines, QStringList({QStringLiteral("AB中文"), "second"}));
    }

    void sheetRecordsGiveColumnA_data()
    {
        QTest::addColumn<QByteArray>("Sheet");
        QTest::addColumn<QStringList>("Expected");
        const QByteArray Own = Records([](TBiff& Sheet) { Sheet.Record(0x0204, TBiff::Cell(0, 0) + TBiff::Latin("own")); });
        const QByteArray Text = Result(0);

        QTest::newRow("formula number") << Records([](TBiff& Sheet) { Formula(Sheet, 0, 0, TBiff::Double(2.5)); })
                                        << QStringList{"2.5"};
        QTest::newRow("formula boolean") << Records([](TBiff& Sheet) { Formula(Sheet, 0, 0, Result(1, 1)); })
                                         << QStringList{"TRUE"};
        QTest::newRow("formula error") << Records([](TBiff& Sheet) { Formula(Sheet, 0, 0, Result(2, 0x17)); })
                                       << QStringList{"#REF!"};
        QTest::newRow("formula empty text") << Records([](TBiff& Sheet) { Formula(Sheet, 0, 0, Result(3)); })
                                            << QStringList{""};
        QTest::newRow("formula text continued, 8-bit then UTF-16") << Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 0, Text);
            QByteArray Start;
            TBiff::U16(Start, 5), Start += char(0), Start += "ab";
            Sheet.Record(0x0207, Start);
            QByteArray Rest(1, char(1));
            for (const QChar Char : QStringLiteral("中文字"))
                TBiff::U16(Rest, Char.unicode());
            Sheet.Record(0x003C, Rest);
        }) << QStringList{QStringLiteral("ab中文字")};
        QTest::newRow("formula text behind a shared formula") << Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 0, Text);
            Sheet.Record(0x04BC, QByteArray(10, 0));
            Sheet.Record(0x0207, TBiff::Latin("shared"));
        }) << QStringList{"shared"};
        QTest::newRow("formula text behind array and table formulas") << Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 0, Text);
            Sheet.Record(0x0221, QByteArray(14, 0));
            Sheet.Record(0x0236, QByteArray(16, 0));
            Sheet.Record(0x0207, TBiff::Latin("array"));
        }) << QStringList{"array"};
        QTest::newRow("each formula text to its own cell") << Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 0, Text);
            Sheet.Record(0x0207, TBiff::Latin("first"));
            Formula(Sheet, 1, 0, Text);
            Sheet.Record(0x04BC, QByteArray(10, 0));
            Sheet.Record(0x0207, TBiff::Latin("second"));
            Sheet.Record(0x0207, TBiff::Latin("stray"));
        }) << QStringList{"first", "second"};
        QTest::newRow("formula text in column B") << Own + Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 1, Text);
            Sheet.Record(0x0207, TBiff::Latin("B1"));
        }) << QStringList{"own"};
        QTest::newRow("formula under the older record number") << Records([&](TBiff& Sheet) {
            Formula(Sheet, 0, 0, TBiff::Double(7), 0x0206);
            Formula(Sheet, 1, 0, Text, 0x0206);
            Sheet.Record(0x0207, TBiff::Latin("older"));
        }) << QStringList{"7", "older"};
        QTest::newRow("embedded chart") << Own + Chart([](TBiff& Chart) {
            Chart.Record(0x0203, TBiff::Cell(0, 0) + TBiff::Double(99));
            Chart.Record(0x0204, TBiff::Cell(1, 0) + TBiff::Latin("series"));
            Chart.Record(0x0203, TBiff::Cell(40, 0) + TBiff::Double(1));
        }) + Records([](TBiff& Sheet) { Sheet.Record(0x0203, TBiff::Cell(1, 0) + TBiff::Double(2)); })
                                        << QStringList{"own", "2"};
        QTest::newRow("chart nested in a chart") << Own + Chart([](TBiff& Outer) {
            Outer.Bytes() += Chart([](TBiff&) {});
            Outer.Record(0x0203, TBiff::Cell(5, 0) + TBiff::Double(9));
        }) + Records([](TBiff& Sheet) { Sheet.Record(0x0204, TBiff::Cell(1, 0) + TBiff::Latin("after")); })
                                                 << QStringList{"own", "after"};
    }

    void sheetRecordsGiveColumnA()
    {
        QFETCH(QByteArray, Sheet);
        QFETCH(QStringList, Expected);
        QCOMPARE(Read(TBiff::Workbook([&](TBiff& Out) { Out.Bytes() += Sheet; })), Expected);
    }

    void excel95WorkbooksInTheirCodePage_data()
    {
        QTest::addColumn<QString>("StreamName");
        QTest::addColumn<int>("CodePage");
        QTest::addColumn<QByteArray>("Text");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("Czech, 1250") << "Book" << 1250 << QByteArray("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2")
                                     << QStringLiteral("Příliš žluťoučký kůň");
        QTest::newRow("Chinese, 936, stream BOOK") << "BOOK" << 936 << QByteArray("\xD6\xD0\xCE\xC4\xD7\xD6\xC4\xBB")
                                                   << QStringLiteral("中文字幕");
        QTest::newRow("no code page, Workbook stream") << "Workbook" << 0 << QByteArray("Caf\xE9") << QStringLiteral("Café");
        QTest::newRow("Mac Roman") << "Book" << 10000 << QByteArray("Caf\x8E") << QStringLiteral("Café");
        QTest::newRow("UTF-16") << "Book" << 1200 << QByteArray("Caf\xE9") << QStringLiteral("Café");
    }

    void excel95WorkbooksInTheirCodePage()
    {
        QFETCH(QString, StreamName);
        QFETCH(int, CodePage);
        QFETCH(QByteArray, Text);
        QFETCH(QString, Expected);
        QCOMPARE(Read(Biff5Workbook(quint16(CodePage), Text), StreamName), QStringList({Expected, Expected, Expected, ""}));
    }

    void damagedWorkbooksFailNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("Stream");
        QTest::addColumn<QString>("Reason");
        const QString Damaged = QStringLiteral("文件已损坏");
        QByteArray Valid = TBiff::Workbook([](TBiff& Sheet) { Sheet.Record(0x0204, TBiff::Cell(0, 0) + TBiff::Latin("x")); });
        QByteArray Truncated = Valid;
        Truncated.chop(8);
        Truncated += QByteArray("\x04\x02\x40\x00", 4); // a LABEL that claims 64 bytes
        QTest::newRow("record past the end") << Truncated << Damaged;
        QTest::newRow("no BOF") << QByteArray("\x0A\x00\x00\x00", 4) << Damaged;
        QByteArray BadString = TBiff::Workbook([](TBiff& Sheet) {
            QByteArray Cell = TBiff::Cell(0, 0);
            TBiff::U32(Cell, 9);
            Sheet.Record(0x00FD, Cell);
        });
        QTest::newRow("unknown shared string") << BadString << Damaged;
        QTest::newRow("formula text past its records") << TBiff::Workbook([](TBiff& Sheet) {
            Formula(Sheet, 0, 0, Result(0));
            QByteArray Short;
            TBiff::U16(Short, 10), Short += char(0), Short += "abc";
            Sheet.Record(0x0207, Short);
        }) << Damaged;
        QTest::newRow("Excel 5.0/95 obfuscated") << Biff5Workbook(1252, "x", true) << QStringLiteral("加密方式不受支持");
        QTest::newRow("code page nobody knows") << Biff5Workbook(1, "x") << QStringLiteral("代码页 1，");
    }

    void damagedWorkbooksFailNamingTheFile()
    {
        QFETCH(QByteArray, Stream);
        QFETCH(QString, Reason);
        try {
            Read(Stream);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(QStringLiteral("book.xls")), qPrintable(Error.Message()));
            QVERIFY2(Error.Message().contains(Reason), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestExcelBinaryParser)
#include "tst_excelbinaryparser.moc"
