#include "titles/FontMeasure.h"
#include "titles/SubtitleItemFactory.h"
#include "titles/TitleDocumentFile.h"
#include "titles/TitlePlacement.h"
#include "titles/TitleTemplate.h"
#include "titles/UnicodeTextFile.h"
#include "model/XMLDocError.h"

#include "model/ApplicationDirectory.h"
#include "model/ConvertError.h"
#include "model/OSError.h"
#include "model/SubtitleItem.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <vector>

namespace {

const QDateTime FixedTime(QDate(2009, 3, 7), QTime(18, 5, 9));

QString TemplatePath()
{
    return TemplateFilePath();
}

TSubtitleItemFactory MakeFactory()
{
    return TSubtitleItemFactory([] { return FixedTime; });
}

std::unique_ptr<TSubtitleItem> MakeItem(const QString& Directory)
{
    auto Item = std::make_unique<TSubtitleItem>();
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(48);
    Item->SetFontColor(0x0000FF);   // pure red
    Item->SetEdgeColor(0x563412);
    Item->SetEdge(true);
    Item->SetEdgeWidthHard(4.5);
    Item->SetEdgeWidthSoft(1.25);
    Item->SetFontStyleItalic(true);
    Item->SetFontStyleUnderline(true);
    Item->SetBoxAlignText(taRightJustify);
    Item->SetBoxAlign(taCenter);
    Item->SetBoxRelativeY(-60);
    Item->SetBoxWidth(1600);
    Item->SetLineMaximum(2);
    Item->SetVideoWidth(1920);
    Item->SetVideoHeight(1080);
    Item->SetSubtitleDirectory(Directory);
    Item->SetSubtitleFileName(QStringLiteral("Title00001.etl"));
    return Item;
}

// Per-character integer advances of the face at the pixel size, as GDI's text extent adds them.
qint32 Advance(const QString& Family, int PixelSize, const QString& Text)
{
    QFont Font(Family);
    Font.setPixelSize(PixelSize);
    Font.setKerning(false);
    const QFontMetrics Metrics(Font);
    qint32 Width = 0;
    for (const QChar Character : Text)
        Width += Metrics.horizontalAdvance(Character);
    return Width;
}

qint32 LineHeight(const QString& Family, int PixelSize)
{
    QFont Font(Family);
    Font.setPixelSize(PixelSize);
    const QFontMetrics Metrics(Font);
    return Metrics.ascent() + Metrics.descent();
}

QByteArray ReadFile(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

QString FileText(const QString& Path)
{
    const QByteArray Bytes = ReadFile(Path);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(Bytes.constData() + 2), (Bytes.size() - 2) / 2);
}

QString Element(const QString& Path, const QString& Name)
{
    const QString Text = FileText(Path);
    const QString Open = QLatin1Char('<') + Name + QLatin1Char('>');
    const qsizetype Begin = Text.indexOf(Open);
    if (Begin < 0)
        return QStringLiteral("<missing>");
    const qsizetype End = Text.indexOf(QStringLiteral("</") + Name + QLatin1Char('>'), Begin);
    return Text.mid(Begin + Open.size(), End - Begin - Open.size());
}

// The shipped template's text with the first Name element after Parent's start tag
// holding Value instead.
QString ReplaceElement(QString Source, const QString& Parent, const QString& Name, const QString& Value)
{
    const qsizetype From = Source.indexOf(QLatin1Char('<') + Parent + QLatin1Char('>'));
    const QString Open = QLatin1Char('<') + Name + QLatin1Char('>');
    const qsizetype Begin = Source.indexOf(Open, From) + Open.size();
    const qsizetype End = Source.indexOf(QStringLiteral("</") + Name + QLatin1Char('>'), Begin);
    return Source.replace(Begin, End - Begin, Value);
}

void WriteUtf8(const QString& Path, const QString& Text)
{
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(Path));
}

struct TWritten
{
    QString Content;
    qint32 LineCount;
    QString Directory;
    QString FileName;
};

std::vector<TWritten> Write(const TSubtitleItemFactory& Factory, TSubtitleItem& Item, const QString& Template)
{
    std::vector<TWritten> Written;
    Factory.WriteSubtitles(Item, Template, [&Written](TSubtitleItem& Current) {
        Written.push_back({Current.SubtitleContent(), Current.SubtitleLineCount(), Current.SubtitleDirectory(),
                           Current.SubtitleFileName()});
    });
    return Written;
}

// A box that holds any two of the four words, never three. The wrapper measures a word
// joined to the line after it without a blank, but the candidates of the splitting end
// with a blank, so two words take their width plus two blanks.
qint32 TwoWordBox(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item)
{
    qint32 Box = 0;
    for (const char* Pair : {"aa bb  ", "bb cc  ", "cc dd  "})
        Box = std::max(Box, Factory.MeasureText(&Item, QString::fromLatin1(Pair)).Right);
    for (const char* Triple : {"aa bb cc", "bb cc dd"})
        if (Factory.MeasureText(&Item, QString::fromLatin1(Triple)).Right <= Box)
            qFatal("the font fits three words in a two-word box");
    return Box;
}

class TLocaleScope
{
public:
    explicit TLocaleScope(const QLocale& Locale) : FSaved(QLocale()) { QLocale::setDefault(Locale); }
    ~TLocaleScope() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

} // namespace

class TestSubtitleItemFactory : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

    QString Dir(const QString& Name)
    {
        const QString Path = FDir.filePath(Name);
        QDir().mkpath(Path);
        return Path;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void measureWithoutItemIsEmpty()
    {
        QCOMPARE(MakeFactory().MeasureText(nullptr, QStringLiteral("text")), TTextRect());
    }

    void measure_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("Widest");
        QTest::addColumn<int>("Lines");
        QTest::newRow("one line") << "Hello" << "Hello" << 1;
        QTest::newRow("CR LF") << "ab\r\nabcd\r\nc" << "abcd" << 3;
        QTest::newRow("lone LF and CR") << "abcd\nab\rabcde" << "abcde" << 3;
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << "a" << 3;
        QTest::newRow("empty line inside") << "a\r\n\r\nbb" << "bb" << 3;
        QTest::newRow("break at the end opens no line") << "abc\r\n" << "abc" << 1;
        QTest::newRow("empty") << "" << "" << 0;
        QTest::newRow("ampersand is plain") << "A&B" << "A&B" << 1;
        QTest::newRow("tab is not expanded") << "a\tb" << "a\tb" << 1;
        QTest::newRow("Chinese") << "字幕测试" << "字幕测试" << 1;
    }

    void measure()
    {
        QFETCH(QString, Text);
        QFETCH(QString, Widest);
        QFETCH(int, Lines);
        auto Item = MakeItem(QString());
        // 48 points at 96 dpi are 64 pixels.
        const TTextRect Rect = MakeFactory().MeasureText(Item.get(), Text);
        QCOMPARE(Rect.Left, 0);
        QCOMPARE(Rect.Top, 0);
        QCOMPARE(Rect.Right, Advance(QStringLiteral("Liberation Sans"), 64, Widest));
        QCOMPARE(Rect.Bottom, Lines * LineHeight(QStringLiteral("Liberation Sans"), 64));
    }

    void measureIgnoresTabStopsAndMnemonics()
    {
        auto Item = MakeItem(QString());
        const TSubtitleItemFactory Factory = MakeFactory();
        QFont Font(QStringLiteral("Liberation Sans"));
        Font.setPixelSize(64);
        const QFontMetrics Metrics(Font);
        // Qt's own string measure expands the tab to a tab stop; a title shows it as one character.
        QVERIFY(Factory.MeasureText(Item.get(), QStringLiteral("a\tb")).Right < Metrics.horizontalAdvance(QStringLiteral("a\tb")));
        QCOMPARE(Factory.MeasureText(Item.get(), QStringLiteral("&&")).Right, 2 * Metrics.horizontalAdvance(QLatin1Char('&')));
        QVERIFY(LineHeight(QStringLiteral("Liberation Sans"), 64) != LineHeight(QStringLiteral("Liberation Sans"), 48));
    }

    void pixelSizeFromPoints_data()
    {
        QTest::addColumn<qint32>("Points");
        QTest::addColumn<int>("Pixels");
        QTest::newRow("48") << 48 << 64;
        QTest::newRow("10 rounds down") << 10 << 13;
        QTest::newRow("11 rounds up") << 11 << 15;
        QTest::newRow("0 is one pixel") << 0 << 1;
        QTest::newRow("huge is clamped") << std::numeric_limits<qint32>::max() << 16384;
    }

    void pixelSizeFromPoints()
    {
        QFETCH(qint32, Points);
        QFETCH(int, Pixels);
        QCOMPARE(TFontMeasure::PixelSizeForPoints(Points), Pixels);
    }

    void measureOnWorkerThread()
    {
        auto Item = MakeItem(QString());
        Item->SetFontName(QStringLiteral("Noto Sans CJK SC"));
        const QStringList Texts = {QStringLiteral("字幕测试 Subtitle"), QStringLiteral("编辑\r\n第二行文字"),
                                   QStringLiteral("Wednesday, 中华人民共和国")};
        std::vector<TTextRect> Worker;
        QThread* Thread = QThread::create([&] {
            const TSubtitleItemFactory Factory;
            for (int Round = 0; Round < 200; ++Round)
                for (const QString& Text : Texts)
                    if (Round == 199)
                        Worker.push_back(Factory.MeasureText(Item.get(), Text));
                    else
                        Factory.MeasureText(Item.get(), Text);
        });
        Thread->start();
        const TSubtitleItemFactory Factory;
        std::vector<TTextRect> Main;
        for (int Round = 0; Round < 200; ++Round)
            for (const QString& Text : Texts)
                if (Round == 199)
                    Main.push_back(Factory.MeasureText(Item.get(), Text));
        QVERIFY(Thread->wait(60000));
        delete Thread;
        QCOMPARE(Worker.size(), Main.size());
        for (size_t i = 0; i < Main.size(); ++i) {
            QCOMPARE(Worker[i], Main[i]);
            QVERIFY(Main[i].Right > 0);
        }
    }

    void wrap_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("BoxFits");  // the box is exactly as wide as this text, plus Extra
        QTest::addColumn<int>("Extra");
        QTest::addColumn<QString>("Expected");
        QTest::addColumn<qint32>("Breaks");
        QTest::newRow("empty") << "" << "x" << 0 << "" << 0;
        QTest::newRow("single word wider than box") << "Wednesday" << "W" << 0 << "Wednesday" << 0;
        QTest::newRow("box narrower than last word") << "aa bb cc" << "c" << 0 << "aa\r\nbb\r\ncc" << 2;
        QTest::newRow("any two fit, not three") << "ooo ooo ooo" << "ooo ooo" << 0 << "ooo\r\nooo ooo" << 1;
        QTest::newRow("exact width fits") << "aa bb" << "aa bb" << 0 << "aa bb" << 0;
        QTest::newRow("one pixel short") << "aa bb" << "aa bb" << -1 << "aa\r\nbb" << 1;
        QTest::newRow("double blank kept") << "aa  bb" << "aa  bb" << 0 << "aa  bb" << 0;
        QTest::newRow("double blank at the break") << "aa  bb" << "bb" << 0 << "aa\r\n\r\nbb" << 2;
        QTest::newRow("blanks at the ends trimmed") << "  aa bb \r\n" << "aa bb  " << 0 << "aa bb" << 0;
        QTest::newRow("own break counts") << "one\r\ntwo three" << "one\r\ntwo three" << 0 << "one\r\ntwo three" << 1;
        QTest::newRow("lone LF is not counted") << "one\ntwo" << "one\ntwo" << 0 << "one\ntwo" << 0;
        QTest::newRow("quote is an ordinary word") << "\"a b\" c" << "b\" c" << 0 << "\"a\r\nb\" c" << 1;
        QTest::newRow("Chinese words") << "字幕 测试 文本" << "测试 文本" << 0 << "字幕\r\n测试 文本" << 1;
        QTest::newRow("Chinese sentence, exact width fits") << "我们今天晚上" << "今天晚上" << 0 << "我们\r\n今天晚上" << 1;
        QTest::newRow("Chinese comma stays behind") << "你好，世界" << "，世界" << 0 << "你好，\r\n世界" << 1;
        QTest::newRow("Japanese small kana stays behind") << "ちょっと" << "ょっと" << 0 << "ちょっ\r\nと" << 1;
        QTest::newRow("blank before Chinese replaced") << "Hello 世界和平" << "世界和平" << 0 << "Hello\r\n世界和平" << 1;
        QTest::newRow("ideograph wider than the box") << "字字" << "字" << -1 << "字\r\n字" << 1;
    }

    void wrap()
    {
        QFETCH(QString, Text);
        QFETCH(QString, BoxFits);
        QFETCH(int, Extra);
        QFETCH(QString, Expected);
        QFETCH(qint32, Breaks);
        const TSubtitleItemFactory Factory = MakeFactory();
        auto Item = MakeItem(QString());
        Item->SetFontName(QStringLiteral("Noto Sans CJK SC"));
        Item->SetBoxWidth(Factory.MeasureText(Item.get(), BoxFits).Right + Extra);
        qint32 LineBreaks = -1;
        QCOMPARE(Factory.WrapText(Item.get(), Text, LineBreaks), Expected);
        QCOMPARE(LineBreaks, Breaks);
    }

    void wrapWithoutItemKeepsOneLine()
    {
        qint32 LineBreaks = -1;
        QCOMPARE(MakeFactory().WrapText(nullptr, QStringLiteral(" a b  c "), LineBreaks), QStringLiteral("a b  c"));
        QCOMPARE(LineBreaks, 0);
    }

    void helpers_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<qint32>("Offset");
        QTest::addColumn<qint32>("Count");
        QTest::addColumn<QString>("Expected");
        QTest::addColumn<qint32>("Position");
        QTest::newRow("first blank") << "aa bb cc" << 1 << 1 << "aa " << 3;
        QTest::newRow("from offset") << "aa bb cc" << 4 << 1 << "aa bb " << 6;
        QTest::newRow("offset on the blank") << "aa bb cc" << 3 << 1 << "aa " << 3;
        QTest::newRow("second blank") << "aa bb cc" << 1 << 2 << "aa bb " << 6;
        QTest::newRow("count 0 finds the first") << "aa bb" << 1 << 0 << "aa " << 3;
        QTest::newRow("none after offset") << "aa bb" << 4 << 1 << "aa bb" << 0;
        QTest::newRow("offset past the end") << "aa bb" << 9 << 1 << "aa bb" << 0;
        QTest::newRow("empty") << "" << 1 << 1 << "" << 0;
    }

    void helpers()
    {
        QFETCH(QString, Text);
        QFETCH(qint32, Offset);
        QFETCH(qint32, Count);
        QFETCH(QString, Expected);
        QFETCH(qint32, Position);
        qint32 Found = -1;
        QCOMPARE(TSubtitleItemFactory::CopyToBlank(Text, Offset, Count, Found), Expected);
        QCOMPARE(Found, Position);
    }

    void countOccurrences()
    {
        QCOMPARE(TSubtitleItemFactory::CountOccurrences(u"\r\n", u"a\r\nb\r\n\nc\r"), 2);
        QCOMPARE(TSubtitleItemFactory::CountOccurrences(u"aa", u"aaaaa"), 2);
        QCOMPARE(TSubtitleItemFactory::CountOccurrences(u"", u"abc"), 0);
        QCOMPARE(TSubtitleItemFactory::CountOccurrences(u"x", u""), 0);
    }

    void saveUnicodeText_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QByteArray>("Bytes");
        QTest::newRow("last line ended") << "a" << QByteArray("\xFF\xFE" "a\0\r\0\n\0", 8);
        QTest::newRow("break kept") << "a\r\n" << QByteArray("\xFF\xFE" "a\0\r\0\n\0", 8);
        QTest::newRow("lone CR and LF") << "a\rb\nc" << QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0", 20);
        QTest::newRow("LF CR") << "\n\r" << QByteArray("\xFF\xFE" "\r\0\n\0\r\0\n\0", 10);
        QTest::newRow("empty") << "" << QByteArray("\xFF\xFE");
        QTest::newRow("beyond Latin-1") << "字" << QByteArray("\xFF\xFE" "\x57\x5B\r\0\n\0", 8);
    }

    void saveUnicodeText()
    {
        QFETCH(QString, Text);
        QFETCH(QByteArray, Bytes);
        const QString Path = FDir.filePath(QStringLiteral("unicode.txt"));
        TSubtitleItemFactory::SaveUnicodeText(QStringLiteral("old content that is longer"), Path);
        TSubtitleItemFactory::SaveUnicodeText(Text, Path);
        QCOMPARE(ReadFile(Path), Bytes);
    }

    void placementExamples_data()
    {
        QTest::addColumn<int>("Align");
        QTest::addColumn<qint32>("VideoWidth");
        QTest::addColumn<qint32>("RelativeX");
        QTest::addColumn<qint32>("Width");
        QTest::addColumn<double>("Horizontal");
        QTest::newRow("centre keeps halves") << int(taCenter) << 720 << 0 << 301 << 209.5;
        QTest::newRow("right") << int(taRightJustify) << 720 << -20 << 300 << 400.0;
        QTest::newRow("left") << int(taLeftJustify) << 720 << 35 << 300 << 35.0;
        QTest::newRow("centre moved") << int(taCenter) << 720 << -10 << 300 << 200.0;
    }

    void placementExamples()
    {
        QFETCH(int, Align);
        QFETCH(qint32, VideoWidth);
        QFETCH(qint32, RelativeX);
        QFETCH(qint32, Width);
        QFETCH(double, Horizontal);
        TSubtitleItem Item;
        Item.SetBoxAlign(TAlignment(Align));
        Item.SetVideoWidth(VideoWidth);
        Item.SetBoxRelativeX(RelativeX);
        Item.SetVideoHeight(576);
        Item.SetBoxRelativeY(-30);
        const TTextRect Block{0, 0, Width, 64};
        QCOMPARE(TTitlePlacement::Horizontal(Item, Block), Horizontal);
        QCOMPARE(TTitlePlacement::Vertical(Item, Block), 482.0);
    }

    void placementWrittenWithSixDecimals_data()
    {
        QTest::addColumn<QLocale>("Locale");
        QTest::addColumn<QString>("Horizontal");
        QTest::addColumn<QString>("EdgeWidth");
        QTest::newRow("English") << QLocale(QLocale::English) << "209.500000" << "4.500000";
        QTest::newRow("Hungarian") << QLocale(QLocale::Hungarian) << "209,500000" << "4,500000";
    }

    void placementWrittenWithSixDecimals()
    {
        QFETCH(QLocale, Locale);
        QFETCH(QString, Horizontal);
        QFETCH(QString, EdgeWidth);
        const TLocaleScope Scope(Locale);
        const TSubtitleItemFactory Factory = MakeFactory();
        auto Item = MakeItem(Dir(QStringLiteral("placement")));
        // A text of odd width, so the centred block starts on a half pixel.
        QString Text;
        for (char16_t Code = u'!'; Code <= u'~' && Text.isEmpty(); ++Code)
            if (Factory.MeasureText(Item.get(), QString(QChar(Code))).Right % 2 != 0)
                Text = QStringLiteral("x") + QChar(Code);
        QVERIFY(!Text.isEmpty());
        if (Factory.MeasureText(Item.get(), Text).Right % 2 == 0)
            Text.remove(0, 1);
        const TTextRect Block = Factory.MeasureText(Item.get(), Text);
        Item->SetSubtitleContent(Text);
        Item->SetVideoWidth(720);
        Item->SetVideoHeight(576);
        Item->SetBoxWidth(700);
        Item->SetBoxRelativeX((Block.Right - 301) / 2);
        Item->SetBoxRelativeY(-30);
        Write(Factory, *Item, TemplatePath());
        const QString Path = Item->SubtitleDirectory() + Item->SubtitleFileName();
        QCOMPARE(Element(Path, QStringLiteral("elements4")), Horizontal);
        QCOMPARE(Element(Path, QStringLiteral("elements5")), QString::number(576 - 30 - Block.Bottom) + Horizontal.mid(3, 1) + "000000");
        QCOMPARE(Element(Path, QStringLiteral("fWidth")), EdgeWidth);
        const auto Read = Factory.ReadSubtitle(Path);
        QCOMPARE(Read->EdgeWidthHard(), 4.5);
        QCOMPARE(Read->EdgeWidthSoft(), 1.25);
    }

    void createTimeUsesLocaleTimeSeparator_data()
    {
        QTest::addColumn<QLocale>("Locale");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("English") << QLocale(QLocale::English) << "07/03/2009 18:05:09";
        QTest::newRow("Finnish") << QLocale(QLocale::Finnish) << "07/03/2009 18.05.09";
    }

    void createTimeUsesLocaleTimeSeparator()
    {
        QFETCH(QLocale, Locale);
        QFETCH(QString, Expected);
        const TLocaleScope Scope(Locale);
        auto Item = MakeItem(Dir(QStringLiteral("time")));
        Item->SetSubtitleContent(QStringLiteral("time"));
        Write(MakeFactory(), *Item, TemplatePath());
        QCOMPARE(Element(Item->SubtitleDirectory() + Item->SubtitleFileName(), QStringLiteral("CreateTime")), Expected);
    }

    void splitsIntoParts()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        const QString Directory = Dir(QStringLiteral("parts"));
        auto Item = MakeItem(Directory);
        Item->SetLineMaximum(1);
        Item->SetBoxWidth(TwoWordBox(Factory, *Item));
        Item->SetSubtitleContent(QStringLiteral("aa bb cc dd"));
        const std::vector<TWritten> Written = Write(Factory, *Item, TemplatePath());
        QCOMPARE(Written.size(), size_t(2));
        QCOMPARE(Written[0].Content, QStringLiteral("aa bb"));
        QCOMPARE(Written[0].LineCount, 1);
        QCOMPARE(Written[0].Directory, Directory + QLatin1Char('/'));
        QCOMPARE(Written[0].FileName, QStringLiteral("Title00001.etl"));
        QCOMPARE(Written[1].Content, QStringLiteral("cc dd"));
        QCOMPARE(Written[1].FileName, QStringLiteral("Title00001_2.etl"));
        QCOMPARE(Element(Directory + QStringLiteral("/Title00001.etl"), QStringLiteral("m_sText")), QStringLiteral("aa bb"));
        QCOMPARE(Element(Directory + QStringLiteral("/Title00001_2.etl"), QStringLiteral("m_sText")), QStringLiteral("cc dd"));
        QCOMPARE(QDir(Directory).entryList(QDir::Files).size(), 2);
        // The item describes the last title written.
        QCOMPARE(Item->SubtitleContent(), QStringLiteral("cc dd"));
        QCOMPARE(Item->SubtitleFileName(), QStringLiteral("Title00001_2.etl"));
    }

    void chineseSentenceSplitsIntoParts()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        const QString Directory = Dir(QStringLiteral("chinese"));
        auto Item = MakeItem(Directory);
        Item->SetFontName(QStringLiteral("Noto Sans CJK SC"));
        Item->SetLineMaximum(2);
        Item->SetBoxWidth(Factory.MeasureText(Item.get(), QStringLiteral("一二三四五六")).Right);
        const QString Sentence = QStringLiteral("他说：“别担心，一切都会好起来的。”然后她打开窗户，看见远处的山上已经积满了白雪。");
        Item->SetSubtitleContent(Sentence);
        const std::vector<TWritten> Written = Write(Factory, *Item, TemplatePath());
        QCOMPARE(Written.size(), size_t(4));
        QString Kept;
        for (std::size_t i = 0; i < Written.size(); ++i) {
            const QString Expected = i == 0 ? QStringLiteral("Title00001.etl") : QStringLiteral("Title00001_%1.etl").arg(i + 1);
            QCOMPARE(Written[i].FileName, Expected);
            QVERIFY2(Written[i].LineCount <= 2, qPrintable(Written[i].Content));
            for (const QString& Line : Written[i].Content.split(QStringLiteral("\r\n"))) {
                QVERIFY2(Factory.MeasureText(Item.get(), Line).Right <= Item->BoxWidth(), qPrintable(Line));
                QVERIFY2(!QStringLiteral("，。：”").contains(Line.front()), qPrintable(Line));
                QVERIFY2(Line.back() != u'“', qPrintable(Line));
            }
            Kept += Written[i].Content;
        }
        QCOMPARE(Kept.remove(QStringLiteral("\r\n")), Sentence);
    }

    void lineMaximumBelowOneCountsAsOne_data()
    {
        QTest::addColumn<qint32>("LineMaximum");
        QTest::newRow("0") << 0;
        QTest::newRow("-5") << -5;
    }

    void lineMaximumBelowOneCountsAsOne()
    {
        QFETCH(qint32, LineMaximum);
        const TSubtitleItemFactory Factory = MakeFactory();
        auto Item = MakeItem(Dir(QStringLiteral("zero")));
        Item->SetLineMaximum(LineMaximum);
        Item->SetBoxWidth(TwoWordBox(Factory, *Item));
        Item->SetSubtitleContent(QStringLiteral("aa bb cc dd"));
        const std::vector<TWritten> Written = Write(Factory, *Item, TemplatePath());
        QCOMPARE(Written.size(), size_t(2));
        QCOMPARE(Written[0].Content, QStringLiteral("aa bb"));
        QCOMPARE(Written[1].Content, QStringLiteral("cc dd"));
    }

    void firstWordWithTooManyBreaksIsKept()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        auto Item = MakeItem(Dir(QStringLiteral("breaks")));
        Item->SetLineMaximum(1);
        Item->SetSubtitleContent(QStringLiteral("one\r\ntwo four"));
        const std::vector<TWritten> Written = Write(Factory, *Item, TemplatePath());
        QCOMPARE(Written.size(), size_t(2));
        QCOMPARE(Written[0].Content, QStringLiteral("one\r\ntwo"));
        QCOMPARE(Written[0].LineCount, 2);
        QCOMPARE(Written[1].Content, QStringLiteral("four"));
    }

    void fittingSubtitleGivesOneFile()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        const QString Directory = Dir(QStringLiteral("single"));
        auto Item = MakeItem(Directory);
        Item->SetBoxWidth(TwoWordBox(Factory, *Item));
        Item->SetSubtitleFileName(QStringLiteral("Title00007.txt"));
        Item->SetSubtitleContent(QStringLiteral("aa bb cc dd"));
        const std::vector<TWritten> Written = Write(Factory, *Item, TemplatePath());
        QCOMPARE(Written.size(), size_t(1));
        QCOMPARE(Written[0].Content, QStringLiteral("aa bb\r\ncc dd"));
        QCOMPARE(Written[0].LineCount, 2);
        QCOMPARE(QDir(Directory).entryList(QDir::Files), QStringList{QStringLiteral("Title00007.etl")});
    }

    void readBackRestoresSettings()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        auto Item = MakeItem(Dir(QStringLiteral("readback")));
        Item->SetLineMaximum(3);
        Item->SetFontStyleBold(true);
        Item->SetFontStyleItalic(false);
        Item->SetBoxWidth(TwoWordBox(Factory, *Item));
        Item->SetSubtitleContent(QStringLiteral("aa bb cc dd"));
        Write(Factory, *Item, TemplatePath());
        const QString Path = Item->SubtitleDirectory() + Item->SubtitleFileName();
        QCOMPARE(Element(Path, QStringLiteral("color0")), QStringLiteral("-65536"));

        const std::unique_ptr<TSubtitleItem> Read = Factory.ReadSubtitle(Path);
        QCOMPARE(Read->SubtitleContent(), QStringLiteral("aa bb\r\ncc dd"));
        QCOMPARE(Read->SubtitleLineCount(), 2);
        QCOMPARE(Read->FontName(), Item->FontName());
        QCOMPARE(Read->FontSize(), 48);
        QCOMPARE(Read->FontColor(), Item->FontColor());
        QCOMPARE(Read->EdgeColor(), Item->EdgeColor());
        QCOMPARE(Read->Edge(), true);
        QCOMPARE(Read->EdgeWidthHard(), 4.5);
        QCOMPARE(Read->EdgeWidthSoft(), 1.25);
        QCOMPARE(Read->FontStyleBold(), true);
        QCOMPARE(Read->FontStyleItalic(), false);
        QCOMPARE(Read->FontStyleUnderline(), true);
        QCOMPARE(Read->BoxAlignText(), taRightJustify);
        QCOMPARE(Read->VideoWidth(), 1920);
        QCOMPARE(Read->VideoHeight(), 1080);
        // Not in the file.
        QCOMPARE(Read->BoxWidth(), 0);
        QCOMPARE(Read->BoxAlign(), taLeftJustify);
        QCOMPARE(Read->SubtitleFileName(), QString());
    }

    void readDecodesValues_data()
    {
        QTest::addColumn<QString>("Alignment");
        QTest::addColumn<QString>("Color");
        QTest::addColumn<QString>("Width");
        QTest::addColumn<int>("ExpectedAlignment");
        QTest::addColumn<qint32>("ExpectedColor");
        QTest::addColumn<double>("ExpectedWidth");
        QTest::newRow("centre, white") << "1" << "-1" << "2.000000" << int(taCenter) << 0xFFFFFF << 2.0;
        QTest::newRow("right, pure blue") << "2" << "-16776961" << "0.5" << int(taRightJustify) << 0xFF0000 << 0.5;
        QTest::newRow("left, black") << "0" << "-16777216" << "-1.000000" << int(taLeftJustify) << 0 << -1.0;
        QTest::newRow("unknown alignment, text colour") << "5" << "abc" << "wide" << int(taLeftJustify) << 0 << 0.0;
        QTest::newRow("alpha dropped") << "1" << "16711935" << "" << int(taCenter) << 0xFF00FF << 0.0;
    }

    void readDecodesValues()
    {
        QFETCH(QString, Alignment);
        QFETCH(QString, Color);
        QFETCH(QString, Width);
        QFETCH(int, ExpectedAlignment);
        QFETCH(qint32, ExpectedColor);
        QFETCH(double, ExpectedWidth);
        const QString Path = FDir.filePath(QStringLiteral("decoded.etl"));
        QString Source = QString::fromUtf8(ReadFile(TemplatePath()));
        Source = ReplaceElement(Source, QStringLiteral("TitleFont"), QStringLiteral("iAlignment"), Alignment);
        Source = ReplaceElement(Source, QStringLiteral("TitleFillColor"), QStringLiteral("color0"), Color);
        Source = ReplaceElement(Source, QStringLiteral("TitleEdge"), QStringLiteral("color0"), Color);
        Source = ReplaceElement(Source, QStringLiteral("TitleEdge"), QStringLiteral("fWidth"), Width);
        WriteUtf8(Path, Source);
        const auto Read = MakeFactory().ReadSubtitle(Path);
        QCOMPARE(int(Read->BoxAlignText()), ExpectedAlignment);
        QCOMPARE(Read->EdgeColor(), ExpectedColor);
        QCOMPARE(Read->FontColor(), ExpectedColor);
        QCOMPARE(Read->EdgeWidthHard(), ExpectedWidth);
    }

    void readFailsOnBadInteger()
    {
        const QString Path = FDir.filePath(QStringLiteral("badint.etl"));
        WriteUtf8(Path, ReplaceElement(QString::fromUtf8(ReadFile(TemplatePath())), QStringLiteral("TitleFont"),
                                       QStringLiteral("iAlignment"), QStringLiteral("bold")));
        try {
            MakeFactory().ReadSubtitle(Path);
            QFAIL("read a title with a non-numeric alignment");
        } catch (const EConvertError& Error) {
            QVERIFY2(Error.Message().contains(Path), qPrintable(Error.Message()));
            QVERIFY2(Error.Message().contains(QStringLiteral("iAlignment")), qPrintable(Error.Message()));
        }
    }

    void outputDirectory()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        // One missing level is created; blanks and control characters around the setting are ignored.
        const QString Created = FDir.filePath(QStringLiteral("created"));
        auto Item = MakeItem(QStringLiteral(" \t") + Created + QStringLiteral(" \r\n"));
        Item->SetSubtitleContent(QStringLiteral("text"));
        Write(Factory, *Item, TemplatePath());
        QVERIFY(QFile::exists(Created + QStringLiteral("/Title00001.etl")));
        QCOMPARE(Item->SubtitleDirectory(), Created + QLatin1Char('/'));

        // A directory removed between two titles is made again.
        QVERIFY(QDir(Created).removeRecursively());
        Item->SetSubtitleFileName(QStringLiteral("Title00002.etl"));
        Write(Factory, *Item, TemplatePath());
        QVERIFY(QFile::exists(Created + QStringLiteral("/Title00002.etl")));

        // Two missing levels are not.
        const QString Deep = FDir.filePath(QStringLiteral("missing/deeper"));
        Item->SetSubtitleDirectory(Deep);
        Item->SetSubtitleFileName(QStringLiteral("Title00002.etl"));
        int Calls = 0;
        try {
            Factory.WriteSubtitles(*Item, TemplatePath(), [&Calls](TSubtitleItem&) { ++Calls; });
            QFAIL("wrote into a folder whose parent is missing");
        } catch (const EOSError& Error) {
            QVERIFY2(Error.Message().startsWith(Deep + QStringLiteral("\r\n\r\n")), qPrintable(Error.Message()));
            QVERIFY(Error.Message().size() > Deep.size() + 4);
        }
        QCOMPARE(Calls, 0);
        QVERIFY(!QFileInfo::exists(FDir.filePath(QStringLiteral("missing"))));
    }

    void emptyDirectoryMeansCurrentDirectory()
    {
        const QString Here = Dir(QStringLiteral("current"));
        const QString Saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(Here));
        auto Item = MakeItem(QString());
        Item->SetSubtitleFileName(QStringLiteral("NoExtension"));
        Item->SetSubtitleContent(QStringLiteral("text"));
        const std::vector<TWritten> Written = Write(MakeFactory(), *Item, TemplatePath());
        QDir::setCurrent(Saved);
        QCOMPARE(Written.size(), size_t(1));
        QCOMPARE(Written[0].Directory, QString());
        QCOMPARE(Written[0].FileName, QStringLiteral("NoExtension.etl"));
        QVERIFY(QFile::exists(Here + QStringLiteral("/NoExtension.etl")));
    }

    void badTemplateWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not XML") << QByteArray("no markup here");
        QTest::newRow("another root") << QByteArray("<Project/>");
    }

    void badTemplateWritesNothing()
    {
        QFETCH(QByteArray, Content);
        const QString Template = FDir.filePath(QStringLiteral("template-%1.xml").arg(QTest::currentDataTag()));
        if (!Content.isEmpty()) {
            QFile File(Template);
            QVERIFY(File.open(QIODevice::WriteOnly));
            File.write(Content);
        }
        const QString Directory = Dir(QStringLiteral("bad-%1").arg(QTest::currentDataTag()));
        auto Item = MakeItem(Directory);
        Item->SetSubtitleContent(QStringLiteral("text"));
        int Calls = 0;
        try {
            MakeFactory().WriteSubtitles(*Item, Template, [&Calls](TSubtitleItem&) { ++Calls; });
            QFAIL("wrote from a bad template");
        } catch (const EError& Error) {
            if (Content.startsWith("<Project"))
                QCOMPARE(Error.Message(), QStringLiteral("Interface not supported"));
            else
                QVERIFY2(Error.Message().contains(Template), qPrintable(Error.Message()));
        }
        QCOMPARE(Calls, 0);
        QVERIFY(QDir(Directory).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(Item->SubtitleContent(), QStringLiteral("text"));
    }

    void reusedTemplateGivesSameBytesAsFreshLoad()
    {
        // A template without CreateTime, m_sText, the edge and the placement, so that the
        // first fill has to append them.
        QString Source = QString::fromUtf8(ReadFile(TemplatePath()));
        for (const char* Name : {"CreateTime", "m_sText", "elements4", "elements5"}) {
            const QString Open = QStringLiteral("<%1>").arg(QLatin1String(Name));
            const qsizetype Begin = Source.indexOf(Open);
            const qsizetype End = Source.indexOf(QStringLiteral("</%1>").arg(QLatin1String(Name)), Begin);
            Source.remove(Begin, End + Open.size() + 1 - Begin);
        }
        Source.remove(Source.indexOf(QStringLiteral("<TitleEdge>")),
                      Source.indexOf(QStringLiteral("</TitleEdge>")) + 12 - Source.indexOf(QStringLiteral("<TitleEdge>")));
        const QString Reduced = FDir.filePath(QStringLiteral("reduced.xml"));
        WriteUtf8(Reduced, Source);
        const QStringList Subtitles = {QStringLiteral("first subtitle that needs several titles because its box is narrow"),
                                       QStringLiteral("短"), QStringLiteral("aa bb cc dd ee ff gg"), QStringLiteral("one more"),
                                       QStringLiteral("另一个 字幕"), QStringLiteral("the last of them")};
        // The settings and the clock stay the same for some titles in a row and then
        // change, and later come back, so the reused template is both filled and not.
        int Ticks[2] = {0, 0};
        const TSubtitleItemFactory FreshFactory([&] { return FixedTime.addSecs(Ticks[0]++ / 3); });
        const TSubtitleItemFactory ReusedFactory([&] { return FixedTime.addSecs(Ticks[1]++ / 3); });
        const QString Fresh = Dir(QStringLiteral("fresh"));
        const QString Reused = Dir(QStringLiteral("reused"));
        TTitleTemplate Template(Reduced);
        for (const QString& Directory : {Fresh, Reused}) {
            for (int i = 0; i < Subtitles.size(); ++i) {
                auto Item = MakeItem(Directory);
                Item->SetBoxWidth(300);
                Item->SetBoxAlign(TAlignment(i % 3));
                Item->SetEdge((i / 2) % 2 == 0);
                if (i == 3)
                    Item->SetFontColor(0x00FF00);
                Item->SetSubtitleFileName(QStringLiteral("Title%1.etl").arg(i, 5, 10, QLatin1Char('0')));
                Item->SetSubtitleContent(Subtitles[i]);
                if (Directory == Fresh)
                    FreshFactory.WriteSubtitles(*Item, Reduced, {});
                else
                    ReusedFactory.WriteSubtitles(*Item, Template, {});
            }
        }
        const QStringList Files = QDir(Fresh).entryList(QDir::Files, QDir::Name);
        QVERIFY(Files.size() > Subtitles.size());
        QCOMPARE(QDir(Reused).entryList(QDir::Files, QDir::Name), Files);
        for (const QString& Name : Files)
            QVERIFY2(ReadFile(Fresh + QLatin1Char('/') + Name) == ReadFile(Reused + QLatin1Char('/') + Name), qPrintable(Name));
        const QString First = Fresh + QStringLiteral("/Title00000.etl");
        QCOMPARE(Element(First, QStringLiteral("CreateTime")), QStringLiteral("07/03/2009 18:05:09"));
        QCOMPARE(Element(First, QStringLiteral("bEnable")), QStringLiteral("1"));
        QVERIFY(FileText(First).contains(QStringLiteral("<fWidthSoft>1.250000</fWidthSoft></TitleEdge>")));
    }

    // Titles after the first of a fill reuse the printed rest of the document: each file
    // must still hold exactly what a full print of the document gives.
    void reusedTemplatePrintsWhatAFullPrintGives_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::newRow("markup") << QStringLiteral("a&b <c> \"d\" 'e' ]]>");
        QTest::newRow("control characters") << QStringLiteral("bell\u0007 and\u0001 tab\tend");
        QTest::newRow("line breaks") << QStringLiteral("one\r\ntwo\rthree\nfour\r\n\r\nfive");
        QTest::newRow("the image's own mark") << QStringLiteral("mark \uFDD0" "1\uFDD0 and \uFDD0" "2\uFDD0 here");
        QTest::newRow("many titles") << QStringLiteral("很长的字幕 with many words ").repeated(12);
    }

    void reusedTemplatePrintsWhatAFullPrintGives()
    {
        QFETCH(QString, Text);
        TTitleTemplate Template(TemplatePath());
        const QString Directory = Dir(QStringLiteral("image-%1").arg(QTest::currentDataTag()));
        auto Item = MakeItem(Directory);
        Item->SetBoxWidth(400);
        int Checked = 0;
        for (const QString& Content : {QStringLiteral("first words"), Text, QStringLiteral("last ") + Text}) {
            Item->SetSubtitleFileName(QStringLiteral("Title%1.etl").arg(Checked, 5, 10, QLatin1Char('0')));
            Item->SetSubtitleContent(Content);
            MakeFactory().WriteSubtitles(*Item, Template, [&](TSubtitleItem& Written) {
                ++Checked;
                const QByteArray Expected = TUnicodeTextFile::Encode(TitleDocumentText(Template.Document()));
                const QString Path = Written.SubtitleDirectory() + Written.SubtitleFileName();
                QVERIFY2(ReadFile(Path) == Expected, qPrintable(Path));
            });
        }
        QVERIFY(Checked >= 3);
    }

    void rewriteReplacesTextAndKeepsTheRest()
    {
        const TSubtitleItemFactory Factory = MakeFactory();
        const QString Directory = Dir(QStringLiteral("rewrite"));
        auto Item = MakeItem(Directory);
        Item->SetLineMaximum(1);
        Item->SetBoxWidth(TwoWordBox(Factory, *Item));
        Item->SetSubtitleContent(QStringLiteral("aa bb"));
        Write(Factory, *Item, TemplatePath());
        const QString Path = Directory + QStringLiteral("/Title00001.etl");
        // Something the writer never sets, to see that it survives.
        TXMLTitleDocumentType Edited = LoadTitleDocument(Path);
        Edited.SetAuthor(QStringLiteral("编辑者"));
        SaveTitleDocument(Edited, Path);

        Item->SetSubtitleContent(QStringLiteral("aa bb cc dd ee"));
        Item->SetBoxAlign(taLeftJustify);
        Item->SetBoxRelativeX(17);
        Factory.RewriteSubtitle(*Item, Path);
        QCOMPARE(Item->SubtitleContent(), QStringLiteral("aa\r\nbb cc\r\ndd ee"));
        QCOMPARE(Item->SubtitleLineCount(), 3);
        QCOMPARE(Item->SubtitleDirectory(), Directory + QLatin1Char('/'));
        QCOMPARE(Item->SubtitleFileName(), QStringLiteral("Title00001.etl"));
        QCOMPARE(QDir(Directory).entryList(QDir::Files).size(), 1);
        QCOMPARE(Element(Path, QStringLiteral("m_sText")), QStringLiteral("aa\r\nbb cc\r\ndd ee"));
        QCOMPARE(Element(Path, QStringLiteral("elements4")), QStringLiteral("17.000000"));
        QCOMPARE(Element(Path, QStringLiteral("Author")), QStringLiteral("编辑者"));
        QCOMPARE(Factory.ReadSubtitle(Path)->SubtitleLineCount(), 3);
    }
};

QTEST_MAIN(TestSubtitleItemFactory)
#include "tst_subtitleitemfactory.moc"
