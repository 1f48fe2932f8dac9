#include "import/DocumentError.h"
#include "import/WordStreamParser.h"

#include "WordDocumentBuilder.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/字幕.doc");

using TPiece = TWordDocumentBuilder::TPiece;

QStringList Lines(const TWordDocumentBuilder& Builder, const QString& Password = QString())
{
    QByteArray WordDocument;
    QByteArray Table;
    Builder.Build(WordDocument, Table);
    return TWordStreamParser::Parse(WordDocument, Table, Password, FileName);
}

QString ErrorOf(const QByteArray& WordDocument, const QByteArray& Table, const QString& Password = QString())
{
    try
    {
        TWordStreamParser::Parse(WordDocument, Table, Password, FileName);
    }
    catch (const EDocument& Error)
    {
        return Error.Message();
    }
    return QString();
}

TWordDocumentBuilder Simple()
{
    TWordDocumentBuilder Builder;
    Builder.Pieces = {{QStringLiteral("Hello\rWorld\r"), true}};
    return Builder;
}
} // namespace

class TestWordStreamParser : public QObject
{
    Q_OBJECT

private slots:
    void readsEightBitAndUnicodePieces()
    {
        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("Caf\u00E9 \x93quoted\x94 "), true}, {QStringLiteral("字幕 – ok\r"), false},
            {QStringLiteral("\x80\x9F\r"), true}};
        QCOMPARE(Lines(Builder), (QStringList{QStringLiteral("Caf\u00E9 \u201Cquoted\u201D 字幕 – ok"),
                                     QStringLiteral("\u0080\u0178")}));
    }

    void readsOnlyTheMainText()
    {
        // Footnote and header stories follow the main text in the same pieces.
        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("Main\rFootnote text\r"), false}};
        Builder.TextLength = 5;
        QCOMPARE(Lines(Builder), QStringList{QStringLiteral("Main")});
    }

    void skipsPropertyModifiersBeforeThePieces()
    {
        TWordDocumentBuilder Builder = Simple();
        Builder.PropertyModifierFirst = true;
        QCOMPARE(Lines(Builder), (QStringList{"Hello", "World"}));
    }

    void readsTheTableStreamTheDocumentNames()
    {
        TWordDocumentBuilder Builder = Simple();
        QByteArray WordDocument;
        QByteArray Table;
        Builder.Build(WordDocument, Table);
        QCOMPARE(TWordStreamParser::TableStreamName(WordDocument, FileName), QStringLiteral("1Table"));
        Builder.TableOne = false;
        Builder.Build(WordDocument, Table);
        QCOMPARE(TWordStreamParser::TableStreamName(WordDocument, FileName), QStringLiteral("0Table"));
    }

    void fieldsAndBreaks()
    {
        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("See \x13 HYPERLINK \"x\" \x14" "here\x15."), true},
            {QStringLiteral("\x0B" "next\tline\r"), false}};
        QCOMPARE(Lines(Builder), QStringList{QStringLiteral("See here. next\tline")});
    }

    void tableGivesOneLinePerCell()
    {
        // | a | b |      row end at 4
        // | c |   |      row end at 8
        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("Before\ra\x07" "b\x07\x07"), true},
            {QStringLiteral("c\x07\x07\x07" "After\r"), false}};
        Builder.RowEnds = {11, 15};
        QCOMPARE(Lines(Builder), (QStringList{"Before", "a", "b", "c", "", "After"}));
    }

    void damagedStreamsNameTheFile_data()
    {
        QByteArray WordDocument;
        QByteArray Table;
        Simple().Build(WordDocument, Table);
        QTest::addColumn<QByteArray>("WordDocument");
        QTest::addColumn<QByteArray>("Table");
        QTest::newRow("empty document stream") << QByteArray() << Table;
        QTest::newRow("not a Word document") << QByteArray(2000, 'x') << Table;
        QTest::newRow("cut inside the information block") << WordDocument.first(300) << Table;
        QTest::newRow("cut inside the text") << WordDocument.first(1030) << Table;
        QTest::newRow("empty table stream") << WordDocument << QByteArray();
        QTest::newRow("cut piece table") << WordDocument << Table.first(Table.size() - 3);

        QByteArray Huge = WordDocument;
        TWordDocumentBuilder::Put(Huge, 0x22 + 28 + 2 + 12, TWordDocumentBuilder::UInt32(0x7FFFFFFF));
        QTest::newRow("text length beyond the stream") << Huge << Table;
        QByteArray Long = WordDocument;
        TWordDocumentBuilder::Put(Long, 0x22 + 28 + 2 + 12, TWordDocumentBuilder::UInt32(40));
        QTest::newRow("text longer than the pieces") << Long << Table;
        QByteArray FarPiece = Table;
        TWordDocumentBuilder::Put(FarPiece, 18 + 5 + 8 + 2, TWordDocumentBuilder::UInt32(0x7FFFFFF0));
        QTest::newRow("piece outside the stream") << WordDocument << FarPiece;
        QByteArray BackwardsPiece = Table;
        TWordDocumentBuilder::Put(BackwardsPiece, 18 + 5 + 4, TWordDocumentBuilder::UInt32(0));
        QTest::newRow("empty piece") << WordDocument << BackwardsPiece;
        QByteArray WrongKind = Table;
        WrongKind[18] = char(0x05);
        QTest::newRow("unknown piece table entry") << WordDocument << WrongKind;
        QByteArray PieceTableFar = WordDocument;
        const qsizetype Pairs = 0x22 + 28 + 2 + 88 + 2;
        TWordDocumentBuilder::Put(PieceTableFar, Pairs + 33 * 8, TWordDocumentBuilder::UInt32(0xFFFFFFF0));
        QTest::newRow("piece table outside the table stream") << PieceTableFar << Table;
        QByteArray ShortFib = WordDocument;
        TWordDocumentBuilder::Put(ShortFib, Pairs - 2, TWordDocumentBuilder::UInt16(20));
        QTest::newRow("too few offsets in the information block") << ShortFib << Table;
    }

    void damagedStreamsNameTheFile()
    {
        QFETCH(QByteArray, WordDocument);
        QFETCH(QByteArray, Table);
        const QString Message = ErrorOf(WordDocument, Table);
        QVERIFY2(Message.contains(FileName) && Message.contains(QStringLiteral("已损坏")), qPrintable(Message));
    }

    void damagedFormattingPageNamesTheFile()
    {
        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("a\x07\x07"), true}};
        Builder.RowEnds = {2};
        QByteArray WordDocument;
        QByteArray Table;
        Builder.Build(WordDocument, Table);
        QCOMPARE(TWordStreamParser::Parse(WordDocument, Table, QString(), FileName), QStringList{"a"});
        const QString Message = ErrorOf(WordDocument.first(WordDocument.size() - 100), Table);
        QVERIFY2(Message.contains(FileName) && Message.contains(QStringLiteral("已损坏")), qPrintable(Message));
    }

    void olderAndObfuscatedDocumentsAreRefused_data()
    {
        QByteArray WordDocument;
        QByteArray Table;
        Simple().Build(WordDocument, Table);
        QTest::addColumn<QByteArray>("WordDocument");
        QTest::addColumn<QByteArray>("Table");
        QTest::addColumn<QString>("Reason");
        QByteArray Word95 = WordDocument;
        TWordDocumentBuilder::Put(Word95, 2, TWordDocumentBuilder::UInt16(0x0065));
        QTest::newRow("Word 95") << Word95 << Table << QStringLiteral("Word 95");
        QByteArray Obfuscated = WordDocument;
        TWordDocumentBuilder::Put(Obfuscated, 0x0A, TWordDocumentBuilder::UInt16(0x8300));
        QTest::newRow("XOR obfuscation") << Obfuscated << Table << QStringLiteral("XOR");
        QByteArray Extensible = WordDocument;
        TWordDocumentBuilder::Put(Extensible, 0x0A, TWordDocumentBuilder::UInt16(0x0300));
        TWordDocumentBuilder::Put(Extensible, 0x0E, TWordDocumentBuilder::UInt32(8));
        QTest::newRow("unknown encryption version")
            << Extensible << (QByteArray::fromHex("0400040000000000") + Table) << QStringLiteral("4.4");
    }

    void olderAndObfuscatedDocumentsAreRefused()
    {
        QFETCH(QByteArray, WordDocument);
        QFETCH(QByteArray, Table);
        QFETCH(QString, Reason);
        const QString Message = ErrorOf(WordDocument, Table, QStringLiteral("nuvex"));
        QVERIFY2(Message.contains(FileName) && Message.contains(Reason) && !Message.contains(QStringLiteral("已损坏")),
            qPrintable(Message));
    }

    void encryptionHeaderLongerThanTheTableIsDamage()
    {
        QByteArray WordDocument;
        QByteArray Table;
        Simple().Build(WordDocument, Table);
        TWordDocumentBuilder::Put(WordDocument, 0x0A, TWordDocumentBuilder::UInt16(0x0300));
        TWordDocumentBuilder::Put(WordDocument, 0x0E, TWordDocumentBuilder::UInt32(0x10000000));
        const QString Message = ErrorOf(WordDocument, Table, QStringLiteral("nuvex"));
        QVERIFY2(Message.contains(FileName) && Message.contains(QStringLiteral("已损坏")), qPrintable(Message));
    }
};

QTEST_GUILESS_MAIN(TestWordStreamParser)
#include "tst_wordstreamparser.moc"
