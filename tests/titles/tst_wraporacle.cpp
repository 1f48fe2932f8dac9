#include "titles/SubtitleItemFactory.h"
#include "titles/SubtitleWrapper.h"
#include "titles/TitleSplitter.h"
#include "titles/WordBreaks.h"

#include "model/SubtitleItem.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

// R without characters of code 32 or less at its ends; LineBreaks gets its CR LF pairs.
QString Trimmed(const QString& R, qint32& LineBreaks)
{
    qsizetype Begin = 0;
    qsizetype End = R.size();
    while (Begin < End && R[Begin].unicode() <= 32)
        ++Begin;
    while (End > Begin && R[End - 1].unicode() <= 32)
        --End;
    const QString Result = R.mid(Begin, End - Begin);
    LineBreaks = qint32(Result.count(QStringLiteral("\r\n")));
    return Result;
}

// The wrap and the title splitting as first written: every step measures the whole
// text built so far, and every candidate of the splitting is wrapped from scratch.
// The factory must give the same results with far fewer measurements.
QString StraightforwardWrap(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, const QString& Text,
                            qint32& LineBreaks)
{
    const QStringList Words = Text.split(QLatin1Char(' '));
    QString R;
    for (qsizetype i = Words.size() - 1; i >= 0; --i) {
        const QString& Word = Words[i];
        if (Factory.MeasureText(&Item, Word + R).Right > Item.BoxWidth())
            R = Word + QStringLiteral("\r\n") + R;
        else
            R = Word + QLatin1Char(' ') + R;
    }
    return Trimmed(R, LineBreaks);
}

struct TTitle
{
    QString Text;
    qint32 LineBreaks;

    bool operator==(const TTitle&) const = default;
};

QString CopyToBlank(const QString& S, qint32 Offset, qint32& Position)
{
    const qsizetype Blank = S.indexOf(QLatin1Char(' '), Offset - 1);
    Position = Blank < 0 ? 0 : qint32(Blank + 1);
    return Blank < 0 ? S : S.left(Blank + 1);
}

// The splitting loop word by word, with its two repairs: a LineMaximum below 1 counts
// as 1, and the first word is always accepted. S is what is left of the subtitle, A the
// text accepted into the next title, C the 1-based offset where the next word starts,
// F the position of A's closing blank (0 when A is all of S), K the candidate A plus
// one more word and N the line breaks of K wrapped.
std::vector<TTitle> StraightforwardSplit(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString S)
{
    std::vector<TTitle> Titles;
    const qint32 LineMaximum = std::max(1, Item.LineMaximum());
    QString A;
    qint32 C = 1;
    qint32 F = 1;
    bool First = true;
    for (;;) {
        qint32 P = 0;
        const QString K = CopyToBlank(S, C, P);
        qint32 N = 0;
        StraightforwardWrap(Factory, Item, K, N);
        if (!(F != 0 && (First || N <= LineMaximum - 1))) {
            TTitle Title;
            Title.Text = StraightforwardWrap(Factory, Item, A, Title.LineBreaks);
            Titles.push_back(Title);
            if (F == 0)
                return Titles;
            S.remove(0, F);
            C = 1;
        }
        First = false;
        A = CopyToBlank(S, C, F);
        C = F + 1;
    }
}

// A unit of the wrap and its place in the text: a word, or the part of a word between
// two places where a line may break inside it.
struct TUnit
{
    qsizetype Start;
    qsizetype End;
    bool Glued; // no blank between it and the unit before
};

QList<TUnit> Units(const QString& Text)
{
    QList<TUnit> Result;
    qsizetype Start = 0;
    for (const QString& Word : Text.split(QLatin1Char(' '))) {
        TWordBreaks::TOffsets Breaks;
        TWordBreaks::Find(Word, Breaks);
        qsizetype From = 0;
        for (const qsizetype Break : Breaks) {
            Result.push_back({Start + From, Start + Break, From > 0});
            From = Break;
        }
        Result.push_back({Start + From, Start + Word.size(), From > 0});
        Start += Word.size() + 1;
    }
    return Result;
}

// The wrap with breaks inside words: a text without them wraps as before; a text with
// them has every line measured as it will be drawn, each unit with the blank before the
// text after it, if there is one.
QString StraightforwardUnitWrap(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, const QString& Text,
                                qint32& LineBreaks)
{
    const QList<TUnit> All = Units(Text);
    if (std::none_of(All.cbegin(), All.cend(), [](const TUnit& Unit) { return Unit.Glued; }))
        return StraightforwardWrap(Factory, Item, Text, LineBreaks);
    QString R;
    for (qsizetype k = All.size() - 1; k >= 0; --k) {
        const QString Unit = Text.mid(All[k].Start, All[k].End - All[k].Start);
        const QString Separator = k + 1 == All.size() || All[k + 1].Glued ? QString() : QStringLiteral(" ");
        if (Factory.MeasureText(&Item, Unit + Separator + R).Right > Item.BoxWidth())
            R = Unit + QStringLiteral("\r\n") + R;
        else
            R = Unit + Separator + R;
    }
    return Trimmed(R, LineBreaks);
}
// Where the unit of S that starts at C ends, its closing blank included; Last tells
// that it is the rest of S with no blank after it.
qsizetype UnitEnd(const QString& S, qsizetype C, bool& Last)
{
    Last = true;
    for (const TUnit& Unit : Units(S)) {
        if (Unit.Start != C)
            continue;
        const bool Blank = Unit.End < S.size() && S[Unit.End] == u' ';
        Last = Unit.End == S.size();
        return Blank ? Unit.End + 1 : Unit.End;
    }
    return S.size();
}

// The splitting loop unit by unit: A grows by one unit, a word with its closing blank
// or the part of a word up to the next place where a line may break inside it.
std::vector<TTitle> StraightforwardUnitSplit(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString S)
{
    std::vector<TTitle> Titles;
    const qint32 LineMaximum = std::max(1, Item.LineMaximum());
    QString A;
    bool ALast = false;
    bool First = true;
    for (;;) {
        bool KLast = false;
        const QString K = S.left(UnitEnd(S, A.size(), KLast));
        qint32 N = 0;
        StraightforwardUnitWrap(Factory, Item, K, N);
        if (!ALast && (First || N <= LineMaximum - 1)) {
            First = false;
            A = K;
            ALast = KLast;
            continue;
        }
        TTitle Title;
        Title.Text = StraightforwardUnitWrap(Factory, Item, A, Title.LineBreaks);
        Titles.push_back(Title);
        if (ALast)
            return Titles;
        S.remove(0, A.size());
        A = S.left(UnitEnd(S, 0, ALast));
    }
}

// The cutting as the title writer does it: each title wrapped in the units it was
// measured in.
std::vector<TTitle> FactorySplit(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, const QString& Text)
{
    std::vector<TTitle> Titles;
    TTitleSplitter Splitter(Factory, Item, Text);
    QString Accepted;
    TLineUnits::TList Units;
    while (Splitter.Next(Accepted, Units)) {
        TTitle Title;
        Title.Text = TSubtitleWrapper::Wrap(&Item, Accepted, Units, Title.LineBreaks);
        Titles.push_back(Title);
    }
    return Titles;
}

// Random subtitles of 1 to 60 words: Latin words and words of a second kind, words wider
// than any box, empty words (double blanks, blanks at the ends), words with CR LF, lone
// LF or lone CR inside or at their ends, quotes, tabs, "&", and characters outside the
// BMP, whole or split across a blank. The second kind is Chinese and Japanese, alone or
// mixed with Latin letters, digits and punctuation (EastAsian), or else Korean, Russian,
// Greek and Czech words, which a line breaks only at blanks.
class TSubtitleGenerator
{
public:
    TSubtitleGenerator(quint32 Seed, bool EastAsian) : FRandom(Seed), FEastAsian(EastAsian) {}

    QString Next()
    {
        const int Count = 1 + int(FRandom.bounded(60));
        QStringList Words;
        for (int i = 0; i < Count; ++i)
            Words << Word();
        return Words.join(QLatin1Char(' '));
    }

private:
    QString Pick(const QStringList& List) { return List[int(FRandom.bounded(int(List.size())))]; }

    QString Word()
    {
        static const QStringList Latin = {"a", "to", "the", "cat", "word", "hello", "subtitle", "Wednesday",
                                          "AVATAR", "fifl", "WWW", "il", "mm", "\"quoted", "end.\"", "A&B",
                                          "tab\there", "x"};
        static const QStringList EastAsian = {"字", "字幕", "测试文本", "中华人民共和国", "你好", "，", "。", "“引号”",
                                              "一二三四五六七八九十", "编辑", "我们今天晚上一起去看电影。",
                                              "他说：“你好，世界！”", "（括号）里的字", "《红楼梦》", "使用Windows系统",
                                              "2024年12月", "好……", "ちょっと待ってください。", "コーヒーを飲みます",
                                              "「はい」と言った", "東京タワー", "ＡＢＣ全角",
                                              QString::fromUcs4(U"中\U00020000文字")};
        static const QStringList Spaced = {"안녕하세요", "감사합니다", "Установка", "программы", "Καλημέρα",
                                           "κόσμε", "předtím", "Žluťoučký", "e-mail", "and/or"};
        static const QStringList Breaks = {"one\r\ntwo", "\r\nlead", "trail\r\n", "lf\nonly", "\nx", "y\n",
                                           "cr\ronly", "\rz", "w\r", "\r\n", "\n", "\r", "a\r\n\r\nb", "mix\n\r\nit"};
        // An ideograph outside the BMP, or a mathematical letter there.
        static const QStringList Special = {QString::fromUcs4(U"\U0001F600"), QString(QChar(0xD83D)),
                                            QString(QChar(0xDE00)), "\x01", "\t"};
        static const QString Supplementary[] = {QString::fromUcs4(U"a\U0001D400b"), QString::fromUcs4(U"a\U00020000b")};
        const quint32 Kind = FRandom.bounded(100);
        if (Kind < 40)
            return Pick(Latin);
        if (Kind < 70)
            return Pick(FEastAsian ? EastAsian : Spaced);
        if (Kind < 80)
            return QString();
        if (Kind < 88)
            return Pick(Breaks);
        if (Kind < 93)
            return FRandom.bounded(6) == 0 ? Supplementary[FEastAsian ? 1 : 0] : Pick(Special);
        // Wider than most boxes.
        QString Long;
        const int Length = 20 + int(FRandom.bounded(40));
        for (int i = 0; i < Length; ++i)
            Long += FRandom.bounded(2) ? QChar(u'M') : FEastAsian ? QChar(u'国') : QChar(u'Ж');
        return Long;
    }

    QRandomGenerator FRandom;
    bool FEastAsian;
};

struct TLayout
{
    const char* Name;
    QString Font;
    qint32 Size;
    qint32 BoxWidth;
};

const TLayout Layouts[] = {
    {"Liberation Sans 48, box 1600", QStringLiteral("Liberation Sans"), 48, 1600},
    {"Liberation Sans 48, box 400", QStringLiteral("Liberation Sans"), 48, 400},
    {"Noto Sans CJK SC 36, box 600", QStringLiteral("Noto Sans CJK SC"), 36, 600},
    {"Noto Sans CJK SC 60, box 150", QStringLiteral("Noto Sans CJK SC"), 60, 150},
    {"Arial 24, box 0", QStringLiteral("Arial"), 24, 0},
    {"unknown face 30, box 900", QStringLiteral("No Such Face"), 30, 900},
};

void Configure(TSubtitleItem& Item, const TLayout& Layout)
{
    Item.SetFontName(Layout.Font);
    Item.SetFontSize(Layout.Size);
    Item.SetBoxWidth(Layout.BoxWidth);
}

// Every character above 32 of Text, in order: what wrapping and cutting must keep.
QString Visible(const QString& Text)
{
    QString Result;
    for (const QChar Character : Text)
        if (Character.unicode() > 32)
            Result += Character;
    return Result;
}

} // namespace

class TestWrapOracle : public QObject
{
    Q_OBJECT

private slots:
    void wrapMatchesStraightforward_data()
    {
        QTest::addColumn<int>("Layout");
        QTest::addColumn<bool>("EastAsian");
        for (const bool EastAsian : {false, true})
            for (int i = 0; i < int(std::size(Layouts)); ++i)
                QTest::addRow("%s, %s", Layouts[i].Name, EastAsian ? "Chinese and Japanese" : "breaks at blanks only")
                    << i << EastAsian;
    }

    void wrapMatchesStraightforward()
    {
        QFETCH(int, Layout);
        QFETCH(bool, EastAsian);
        const TSubtitleItemFactory Factory;
        TSubtitleItem Item;
        Configure(Item, Layouts[Layout]);
        TSubtitleGenerator Generator(1000 + quint32(Layout), EastAsian);
        int Wrapped = 0;
        for (int i = 0; i < 1500; ++i) {
            const QString Text = Generator.Next();
            qint32 ExpectedBreaks = -1;
            qint32 Breaks = -2;
            const QString Expected = EastAsian ? StraightforwardUnitWrap(Factory, Item, Text, ExpectedBreaks)
                                               : StraightforwardWrap(Factory, Item, Text, ExpectedBreaks);
            const QString Actual = Factory.WrapText(&Item, Text, Breaks);
            if (Actual != Expected || Breaks != ExpectedBreaks || Factory.WrappedLineBreaks(&Item, Text) != ExpectedBreaks)
                QFAIL(qPrintable(QStringLiteral("subtitle %1 differs: %2").arg(i).arg(Text.toHtmlEscaped())));
            Wrapped += ExpectedBreaks > 0 ? 1 : 0;
        }
        // The cases must actually exercise wrapping, not only single lines.
        QVERIFY2(Wrapped > 300 || Layouts[Layout].BoxWidth >= 1600, qPrintable(QString::number(Wrapped)));
    }

    void splitMatchesStraightforward_data()
    {
        QTest::addColumn<int>("Layout");
        QTest::addColumn<qint32>("LineMaximum");
        QTest::addColumn<bool>("EastAsian");
        const struct
        {
            const char* Name;
            int Layout;
            qint32 LineMaximum;
        } Rows[] = {{"Latin, 1 line", 1, 1},      {"Latin, 2 lines", 0, 2},       {"Chinese, 2 lines", 2, 2},
                    {"Chinese narrow, 3 lines", 3, 3}, {"no box, 0 lines", 4, 0}, {"unknown face, -2 lines", 5, -2}};
        for (const bool EastAsian : {false, true})
            for (const auto& Row : Rows)
                QTest::addRow("%s, %s", Row.Name, EastAsian ? "Chinese and Japanese" : "breaks at blanks only")
                    << Row.Layout << Row.LineMaximum << EastAsian;
    }

    void splitMatchesStraightforward()
    {
        QFETCH(int, Layout);
        QFETCH(qint32, LineMaximum);
        QFETCH(bool, EastAsian);
        const TSubtitleItemFactory Factory;
        TSubtitleItem Item;
        Configure(Item, Layouts[Layout]);
        Item.SetLineMaximum(LineMaximum);
        TSubtitleGenerator Generator(2000 + quint32(Layout), EastAsian);
        qsizetype Parts = 0;
        for (int i = 0; i < 400; ++i) {
            const QString Text = Generator.Next();
            const std::vector<TTitle> Expected = EastAsian ? StraightforwardUnitSplit(Factory, Item, Text)
                                                           : StraightforwardSplit(Factory, Item, Text);
            const std::vector<TTitle> Actual = FactorySplit(Factory, Item, Text);
            if (Actual != Expected)
                QFAIL(qPrintable(QStringLiteral("subtitle %1 splits differently: %2").arg(i).arg(Text.toHtmlEscaped())));
            QString Kept;
            for (const TTitle& Title : Actual)
                Kept += Title.Text;
            QCOMPARE(Visible(Kept), Visible(Text));
            Parts += qsizetype(Actual.size());
        }
        QVERIFY(Parts > 400);
    }
};

QTEST_MAIN(TestWrapOracle)
#include "tst_wraporacle.moc"
