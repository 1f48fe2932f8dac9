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

    void damagedWorkbooksFailNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("Stream");
        QByteArray Valid = TBiff::Workbook([](TBiff& Sheet) { Sheet.Record(0x0204, TBiff::Cell(0, 0) + TBiff::Latin("x")); });
        QByteArray Truncated = Valid;
        Truncated.chop(8);
        Truncated += QByteArray("\x04\x02\x40\x00", 4); // a LABEL that claims 64 bytes
        QTest::newRow("record past the end") << Truncated;
        QTest::newRow("no BOF") << QByteArray("\x0A\x00\x00\x00", 4);
        QByteArray BadString = TBiff::Workbook([](TBiff& Sheet) {
            QByteArray Cell = TBiff::Cell(0, 0);
            TBiff::U32(Cell, 9);
            Sheet.Record(0x00FD, Cell);
        });
        QTest::newRow("unknown shared string") << BadString;
    }

    void damagedWorkbooksFailNamingTheFile()
    {
        QFETCH(QByteArray, Stream);
        try {
            Read(Stream);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(QStringLiteral("book.xls")), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestExcelBinaryParser)
#include "tst_excelbinaryparser.moc"
