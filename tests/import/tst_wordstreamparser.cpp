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

QStringList Word6Lines(const TWordDocumentBuilder& Builder)
{
    return TWordStreamParser::Parse(Builder.BuildWord6(), QByteArray(), QString(), FileName);
}

// A Word 6.0 / Word 95 document whose text is in CodePage (UTF-16 when empty), in two
// pieces when fast-saved, so that a line runs across them.
TWordDocumentBuilder Word6(const QString& Text, quint16 Language, const QByteArray& CodePage, bool Complex)
{
    TWordDocumentBuilder Builder;
    Builder.Language = Language;
    Builder.CodePage = CodePage;
    Builder.Complex = Complex;
    const bool EightBit = !CodePage.isEmpty();
    Builder.Pieces = {{Text.left(Complex ? Text.size() / 2 : Text.size()), EightBit}};
    if (Complex)
        Builder.Pieces.append({Text.mid(Text.size() / 2), EightBit});
    return Builder;
}

using TRun = TWordDocumentBuilder::TRun;
using TStyle = TWordDocumentBuilder::TStyle;

// Property modifiers of character runs, Word 97-2003 and Word 6.0 / Word 95.
const QByteArray Deleted("\x00\x08\x01", 3);
const QByteArray Inserted("\x01\x08\x01", 3);
const QByteArray Word6Deleted("\x41\x01", 2);
const QByteArray Word6Inserted("\x42\x01", 2);

QByteArray Word6Font(quint16 Font)
{
    return char(93) + TWordDocumentBuilder::UInt16(Font);
}

QByteArray Word6CharacterStyle(quint16 Istd)
{
    return char(80) + TWordDocumentBuilder::UInt16(Istd);
}

// A piece modifier holding one modifier with a one-byte operand.
quint16 Modifier(quint8 Code, quint8 Operand)
{
    return quint16((Code << 1) | (Operand << 8));
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
        Builder.ModifierLists = {QByteArray("\x08\x02\x00", 3)};
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

    void word6Documents_data()
    {
        QTest::addColumn<int>("Language");
        QTest::addColumn<int>("CharacterSet");
        QTest::addColumn<QByteArray>("CodePage");
        QTest::addColumn<bool>("Complex");
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QStringList>("Lines");
        const QString Russian = QStringLiteral("Съешь же ещё этих мягких французских булок");
        const QString Czech = QStringLiteral("Příliš žluťoučký kůň");
        const QString Western = QStringLiteral("Déjà vu – «ça» Œuvre");
        QTest::newRow("Western 1252, saved in full")
            << 0x0409 << 0 << QByteArray("windows-1252") << false << Western + QStringLiteral("\r\r") << QStringList{Western, QString()};
        QTest::newRow("Russian 1251, saved in full")
            << 0x0419 << 0 << QByteArray("windows-1251") << false << Russian + QStringLiteral("\rда\r") << QStringList{Russian, "да"};
        QTest::newRow("Russian 1251, fast-saved")
            << 0x0419 << 0 << QByteArray("windows-1251") << true << Russian + QStringLiteral("\rда\r") << QStringList{Russian, "да"};
        QTest::newRow("Czech 1250, saved in full")
            << 0x0405 << 0 << QByteArray("windows-1250") << false << Czech + QStringLiteral("\r") << QStringList{Czech};
        QTest::newRow("Czech 1250, fast-saved")
            << 0x0405 << 0 << QByteArray("windows-1250") << true << Czech + QStringLiteral("\r") << QStringList{Czech};
        QTest::newRow("Cyrillic character set in an English Word")
            << 0x0409 << 204 << QByteArray("windows-1251") << true << Russian + QStringLiteral("\r") << QStringList{Russian};
        QTest::newRow("Greek 1253")
            << 0x0408 << 0 << QByteArray("windows-1253") << false << QStringLiteral("Καλημέρα\r") << QStringList{"Καλημέρα"};
        QTest::newRow("Japanese 932, double-byte characters across pieces")
            << 0x0411 << 0 << QByteArray("windows-932") << true << QStringLiteral("字幕のテスト\r二行目\r")
            << QStringList{"字幕のテスト", "二行目"};
        QTest::newRow("Simplified Chinese 936")
            << 0x0804 << 0 << QByteArray("windows-936") << false << QStringLiteral("第一行字幕\r") << QStringList{"第一行字幕"};
        QTest::newRow("Far East edition with UTF-16 text")
            << 0x0404 << 0 << QByteArray() << true << QStringLiteral("繁體字幕\r第二行\r") << QStringList{"繁體字幕", "第二行"};
    }

    void word6Documents()
    {
        QFETCH(int, Language);
        QFETCH(int, CharacterSet);
        QFETCH(QByteArray, CodePage);
        QFETCH(bool, Complex);
        QFETCH(QString, Text);
        QFETCH(QStringList, Lines);
        TWordDocumentBuilder Builder = Word6(Text, quint16(Language), CodePage, Complex);
        Builder.CharacterSet = quint16(CharacterSet);
        QCOMPARE(Word6Lines(Builder), Lines);
    }

    void word6Tables_data()
    {
        QTest::addColumn<QByteArray>("CodePage");
        QTest::addColumn<bool>("Complex");
        QTest::addColumn<qsizetype>("RunsPerPage");
        QTest::addColumn<bool>("ListFirstPageOnly");
        QTest::newRow("saved in full") << QByteArray("windows-1251") << false << qsizetype(0) << false;
        QTest::newRow("fast-saved") << QByteArray("windows-1251") << true << qsizetype(0) << false;
        QTest::newRow("double-byte code page") << QByteArray("windows-932") << true << qsizetype(0) << false;
        QTest::newRow("UTF-16 text") << QByteArray() << true << qsizetype(0) << false;
        QTest::newRow("several formatting pages") << QByteArray("windows-1251") << true << qsizetype(2) << false;
        QTest::newRow("pages beyond the index") << QByteArray("windows-1251") << false << qsizetype(2) << true;
    }

    void word6Tables()
    {
        QFETCH(QByteArray, CodePage);
        QFETCH(bool, Complex);
        QFETCH(qsizetype, RunsPerPage);
        QFETCH(bool, ListFirstPageOnly);
        // | а | б |   row end after б
        // | в |   |   row end after the empty cell
        const bool DoubleByte = CodePage == "windows-932";
        const QString Text = DoubleByte ? QStringLiteral("前書き\rあ\x07い\x07\x07う\x07\x07\x07後\r")
                                        : QStringLiteral("Сначала\rа\x07б\x07\x07в\x07\x07\x07Потом\r");
        TWordDocumentBuilder Builder = Word6(Text, DoubleByte ? 0x0411 : 0x0419, CodePage, Complex);
        Builder.RowEnds = DoubleByte ? QList<qint64>{8, 12} : QList<qint64>{12, 16};
        Builder.RunsPerPage = RunsPerPage;
        Builder.ListFirstPageOnly = ListFirstPageOnly;
        const QStringList Expected = DoubleByte ? QStringList{"前書き", "あ", "い", "う", "", "後"}
                                                : QStringList{"Сначала", "а", "б", "в", "", "Потом"};
        QCOMPARE(Word6Lines(Builder), Expected);
    }

    void trackedChanges_data()
    {
        QTest::addColumn<QByteArray>("WordDocument");
        QTest::addColumn<QByteArray>("Table");
        QTest::addColumn<QStringList>("Lines");
        const auto Add = [](const char* Name, const TWordDocumentBuilder& Builder, const QStringList& Lines) {
            QByteArray WordDocument;
            QByteArray Table;
            Builder.Build(WordDocument, Table);
            QTest::newRow(Name) << WordDocument << Table << Lines;
        };
        const auto AddWord6 = [](const char* Name, const TWordDocumentBuilder& Builder, const QStringList& Lines) {
            QTest::newRow(Name) << Builder.BuildWord6() << QByteArray() << Lines;
        };

        TWordDocumentBuilder Builder;
        Builder.Pieces = {{QStringLiteral("The dogfrog jumps\r"), true}};
        Builder.CharacterRuns = {{4, 7, Deleted}, {7, 11, Inserted}};
        Add("deleted word left out, inserted word kept", Builder, {"The frog jumps"});
        TWordDocumentBuilder Word6 = Builder;
        Word6.CharacterRuns = {{4, 7, Word6Deleted}, {7, 11, Word6Inserted}};
        AddWord6("Word 95: deleted word left out, inserted word kept", Word6, {"The frog jumps"});

        Builder.Pieces = {{QStringLiteral("Erste Zeile\r"), true}, {QStringLiteral("二行目\r"), false}};
        Builder.CharacterRuns = {{11, 12, Deleted}};
        Add("deleted paragraph mark joins the paragraphs", Builder, {"Erste Zeile二行目"});

        Builder.Pieces = {{QStringLiteral("Keep gone\r"), true}};
        Builder.CharacterRuns = {{0, 4, QByteArray("\x00\x08\x80", 3)}, {4, 9, QByteArray("\x00\x08\x81", 3)}};
        Add("deleted as the opposite of the style's value", Builder, {"Keep"});

        Builder.CharacterRuns.clear();
        Builder.Pieces = {{QStringLiteral("Keep "), true}, {QStringLiteral("gone "), true, Modifier(0x41, 1)},
            {QStringLiteral("end\r"), false}};
        Add("piece deleted by its own modifier", Builder, {"Keep end"});
        Builder.Pieces[1].Modifier = 0x0001;
        Builder.ModifierLists = {Deleted};
        Add("piece deleted by its list of modifiers", Builder, {"Keep end"});
        Word6 = Builder;
        Word6.Pieces = {{QStringLiteral("Keep "), true}, {QStringLiteral("gone "), true, Modifier(65, 1)},
            {QStringLiteral("end\r"), true}};
        Word6.ModifierLists.clear();
        AddWord6("Word 95: piece deleted by its own modifier", Word6, {"Keep end"});
        Builder.ModifierLists.clear();

        // | a | b |   row end at 14, after four deleted characters
        // | c |   |   row end at 18
        Builder.Pieces = {{QStringLiteral("Keep gone\ra\x07" "b\x07\x07" "c\x07\x07\x07" "After\r"), true}};
        Builder.CharacterRuns = {{5, 9, Deleted}};
        Builder.RowEnds = {14, 18};
        Add("table after deleted text", Builder, {"Keep ", "a", "b", "c", "", "After"});
        Builder.Pieces = {{QStringLiteral("a\x07" "b\x07\x07" "c\x07\x07\x07"), true}};
        Builder.CharacterRuns = {{0, 5, Deleted}};
        Builder.RowEnds = {4, 8};
        Add("deleted table row", Builder, {"c", ""});

        Word6 = TWordDocumentBuilder();
        Word6.Language = 0x0411;
        Word6.CodePage = "windows-932";
        Word6.Pieces = {{QStringLiteral("前書き消す\rあ\x07い\x07\x07"), true}};
        Word6.CharacterRuns = {{3, 5, Word6Deleted}};
        Word6.RowEnds = {10};
        AddWord6("Word 95: double-byte text deleted before a table", Word6, {"前書き", "あ", "い"});
    }

    void trackedChanges()
    {
        QFETCH(QByteArray, WordDocument);
        QFETCH(QByteArray, Table);
        QFETCH(QStringList, Lines);
        QCOMPARE(TWordStreamParser::Parse(WordDocument, Table, QString(), FileName), Lines);
    }

    void word95TextInTheCodePageOfItsFont_data()
    {
        QTest::addColumn<int>("Language");
        QTest::addColumn<int>("FontCharacterSet");
        QTest::addColumn<QByteArray>("CodePage");
        QTest::addColumn<QString>("Text");
        QTest::newRow("Cyrillic") << 0x0409 << 204 << QByteArray("windows-1251") << QStringLiteral("Установка программы");
        QTest::newRow("Central European") << 0x0409 << 238 << QByteArray("windows-1250")
                                          << QStringLiteral("Soubor uložte před zavřením");
        QTest::newRow("Greek") << 0x0409 << 161 << QByteArray("windows-1253") << QStringLiteral("Καλημέρα κόσμε");
        QTest::newRow("Turkish") << 0x0409 << 162 << QByteArray("windows-1254") << QStringLiteral("Dosyayı kaydetmeden çıkmayın");
        QTest::newRow("Hebrew") << 0x0409 << 177 << QByteArray("windows-1255") << QStringLiteral("שלום עולם");
        QTest::newRow("Arabic") << 0x0409 << 178 << QByteArray("windows-1256") << QStringLiteral("مرحبا بالعالم");
        QTest::newRow("Baltic") << 0x0409 << 186 << QByteArray("windows-1257") << QStringLiteral("Ačiū, viskas gerai");
        QTest::newRow("Thai") << 0x0409 << 222 << QByteArray("windows-874") << QStringLiteral("สวัสดีครับ");
        QTest::newRow("Shift JIS") << 0x0409 << 128 << QByteArray("windows-932") << QStringLiteral("字幕のテスト");
        QTest::newRow("GB 2312") << 0x0409 << 134 << QByteArray("windows-936") << QStringLiteral("第一行字幕");
        QTest::newRow("Hangul") << 0x0409 << 129 << QByteArray("windows-949") << QStringLiteral("자막 테스트");
        QTest::newRow("Big5") << 0x0409 << 136 << QByteArray("windows-950") << QStringLiteral("繁體字幕");
        QTest::newRow("the system's set: the document's code page")
            << 0x0419 << 1 << QByteArray("windows-1251") << QStringLiteral("Установка программы");
        QTest::newRow("the Western set in a Russian document: the document's code page")
            << 0x0419 << 0 << QByteArray("windows-1251") << QStringLiteral("Установка программы");
    }

    void word95TextInTheCodePageOfItsFont()
    {
        QFETCH(int, Language);
        QFETCH(int, FontCharacterSet);
        QFETCH(QByteArray, CodePage);
        QFETCH(QString, Text);
        // The text in font 1; font 0, the document's default, is a Western one.
        TWordDocumentBuilder Builder;
        Builder.Language = quint16(Language);
        Builder.CodePage = CodePage;
        Builder.FontCharacterSets = {0, quint8(FontCharacterSet)};
        Builder.Pieces = {{Text + QStringLiteral("\r"), true}};
        Builder.CharacterRuns = {{0, Text.size(), Word6Font(1)}};
        QCOMPARE(Word6Lines(Builder), QStringList{Text});
    }

    void word95FontsOfRunsAndStyles_data()
    {
        QTest::addColumn<QByteArray>("WordDocument");
        QTest::addColumn<QStringList>("Lines");
        const QString Russian = QStringLiteral("Установка");
        const QString Greek = QStringLiteral("Καλημέρα");
        TWordDocumentBuilder Builder;
        Builder.FontCharacterSets = {0, 204, 161, 238};

        Builder.Pieces = {{QStringLiteral("Café "), true, 0, "windows-1252"}, {Russian + u' ', true, 0, "windows-1251"},
            {QStringLiteral("před\r"), true, 0, "windows-1250"}};
        Builder.CharacterRuns = {{5, 15, Word6Font(1)}, {15, 19, Word6Font(3)}};
        QTest::newRow("each run in its font's code page, fast-saved") << Builder.BuildWord6() << QStringList{"Café Установка před"};
        Builder.Complex = false;
        QTest::newRow("each run in its font's code page, saved in full") << Builder.BuildWord6() << QStringList{"Café Установка před"};

        // Runs on two pages of formatting.
        Builder.Pieces.clear();
        Builder.CharacterRuns.clear();
        QString Line;
        for (int I = 0; I < 40; ++I)
        {
            const QString Word = I % 2 ? QStringLiteral("před ") : Russian + u' ';
            Builder.Pieces.append({Word, true, 0, I % 2 ? "windows-1250" : "windows-1251"});
            Builder.CharacterRuns.append({Line.size(), Line.size() + Word.size(), Word6Font(I % 2 ? 3 : 1)});
            Line += Word;
        }
        Builder.Pieces.append({QStringLiteral("\r"), true});
        QTest::newRow("runs on several pages of formatting") << Builder.BuildWord6() << QStringList{Line};

        Builder.CharacterRuns.clear();
        Builder.Pieces = {{Russian + u'\r', true, 0, "windows-1251"}, {Greek + u'\r', true, 0, "windows-1253"}};
        Builder.Styles = {TStyle{true, 0x0FFF, 1}, TStyle{true, 0, 2}};
        Builder.ParagraphStyles = {0, 1};
        QTest::newRow("paragraph styles' fonts") << Builder.BuildWord6() << QStringList{Russian, Greek};

        Builder.Pieces = {{Russian + u'\r', true, 0, "windows-1251"}, {QStringLiteral("Программа\r"), true, 0, "windows-1251"},
            {Greek + u'\r', true, 0, "windows-1253"}};
        Builder.Styles = {TStyle{true, 0x0FFF, 1}, TStyle{true, 0, -1}, TStyle{true, 0x0FFF, 2}};
        Builder.ParagraphStyles = {0, 1, 2};
        QTest::newRow("a style based on another takes its font") << Builder.BuildWord6()
                                                                 << QStringList{Russian, "Программа", Greek};

        Builder.Pieces = {{QStringLiteral("Café "), true, 0, "windows-1252"}, {Russian + u'\r', true, 0, "windows-1251"}};
        Builder.Styles = {TStyle{true, 0x0FFF, 0}, TStyle{false, 0x0FFF, 1}};
        Builder.ParagraphStyles.clear();
        Builder.CharacterRuns = {{5, 15, Word6CharacterStyle(1)}};
        QTest::newRow("character style's font") << Builder.BuildWord6() << QStringList{"Café Установка"};

        Builder.Pieces = {{Russian + u'\r', true, 0, "windows-1251"}};
        Builder.Styles = {TStyle{true, 0x0FFF, -1}};
        Builder.DefaultFont = 1;
        Builder.CharacterRuns.clear();
        QTest::newRow("the document's default font") << Builder.BuildWord6() << QStringList{Russian};

        Builder.Styles.clear();
        Builder.Pieces = {{QStringLiteral("Café\r"), true, 0, "windows-1252"}};
        Builder.CharacterRuns = {{0, 5, Word6Font(9)}};
        QTest::newRow("a font the table lacks: the document's code page") << Builder.BuildWord6() << QStringList{"Café"};
    }

    void word95FontsOfRunsAndStyles()
    {
        QFETCH(QByteArray, WordDocument);
        QFETCH(QStringList, Lines);
        QCOMPARE(TWordStreamParser::Parse(WordDocument, QByteArray(), QString(), FileName), Lines);
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

        const QByteArray Word95 = Word6(QStringLiteral("Hello\r"), 0x0409, "windows-1252", true).BuildWord6();
        QTest::newRow("Word 95 information block cut short") << Word95.first(0x100) << QByteArray();
        QByteArray Word95FarPieces = Word95;
        TWordDocumentBuilder::Put(Word95FarPieces, 0x160, TWordDocumentBuilder::UInt32(0x7FFFFFF0));
        QTest::newRow("Word 95 piece table outside the stream") << Word95FarPieces << QByteArray();
        QByteArray Word95Long = Word6(QStringLiteral("Hello\r"), 0x0409, "windows-1252", false).BuildWord6();
        TWordDocumentBuilder::Put(Word95Long, 0x34, TWordDocumentBuilder::UInt32(0x100000));
        QTest::newRow("Word 95 text beyond the stream") << Word95Long << QByteArray();
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
        QByteArray Word2 = WordDocument;
        TWordDocumentBuilder::Put(Word2, 2, TWordDocumentBuilder::UInt16(45));
        QTest::newRow("Word 2.x") << Word2 << Table << QStringLiteral("Word 2.x");
        TWordDocumentBuilder EncryptedWord95 = Word6(QStringLiteral("Hello\r"), 0x0409, "windows-1252", true);
        EncryptedWord95.Encrypted = true;
        QTest::newRow("encrypted Word 95") << EncryptedWord95.BuildWord6() << QByteArray() << QStringLiteral("XOR");
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
