#include "titles/SubtitleItemFactory.h"
#include "titles/TitleSplitter.h"

#include "model/SubtitleItem.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

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
    qsizetype Begin = 0;
    qsizetype End = R.size();
    while (Begin < End && R[Begin].unicode() <= 32)
        ++Begin;
    while (End > Begin && R[End - 1].unicode() <= 32)
        --End;
    R = R.mid(Begin, End - Begin);
    LineBreaks = qint32(R.count(QStringLiteral("\r\n")));
    return R;
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

std::vector<TTitle> FactorySplit(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, const QString& Text)
{
    std::vector<TTitle> Titles;
    TTitleSplitter Splitter(Factory, Item, Text);
    QString Accepted;
    while (Splitter.Next(Accepted)) {
        TTitle Title;
        Title.Text = Factory.WrapText(&Item, Accepted, Title.LineBreaks);
        Titles.push_back(Title);
    }
    return Titles;
}

// Random subtitles of 1 to 60 words: Latin and Chinese words, words wider than any box,
// empty words (double blanks, blanks at the ends), words with CR LF, lone LF or lone CR
// inside or at their ends, quotes, tabs, "&", and characters outside the BMP, whole or
// split across a blank.
class TSubtitleGenerator
{
public:
    explicit TSubtitleGenerator(quint32 Seed) : FRandom(Seed) {}

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
        static const QStringList Chinese = {"字", "字幕", "测试文本", "中华人民共和国", "你好", "，", "。", "“引号”",
                                            "一二三四五六七八九十", "编辑"};
        static const QStringList Breaks = {"one\r\ntwo", "\r\nlead", "trail\r\n", "lf\nonly", "\nx", "y\n",
                                           "cr\ronly", "\rz", "w\r", "\r\n", "\n", "\r", "a\r\n\r\nb", "mix\n\r\nit"};
        static const QStringList Special = {QString::fromUcs4(U"\U0001F600"), QString::fromUcs4(U"a\U00020000b"),
                                            QString(QChar(0xD83D)), QString(QChar(0xDE00)), "\x01", "\t"};
        const quint32 Kind = FRandom.bounded(100);
        if (Kind < 40)
            return Pick(Latin);
        if (Kind < 70)
            return Pick(Chinese);
        if (Kind < 80)
            return QString();
        if (Kind < 88)
            return Pick(Breaks);
        if (Kind < 93)
            return Pick(Special);
        // Wider than most boxes.
        QString Long;
        const int Length = 20 + int(FRandom.bounded(40));
        for (int i = 0; i < Length; ++i)
            Long += FRandom.bounded(2) ? QChar(u'M') : QChar(u'国');
        return Long;
    }

    QRandomGenerator FRandom;
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

} // namespace

class TestWrapOracle : public QObject
{
    Q_OBJECT

private slots:
    void wrapMatchesStraightforward_data()
    {
        QTest::addColumn<int>("Layout");
        for (int i = 0; i < int(std::size(Layouts)); ++i)
            QTest::newRow(Layouts[i].Name) << i;
    }

    void wrapMatchesStraightforward()
    {
        QFETCH(int, Layout);
        const TSubtitleItemFactory Factory;
        TSubtitleItem Item;
        Configure(Item, Layouts[Layout]);
        TSubtitleGenerator Generator(1000 + quint32(Layout));
        int Wrapped = 0;
        for (int i = 0; i < 1500; ++i) {
            const QString Text = Generator.Next();
            qint32 ExpectedBreaks = -1;
            qint32 Breaks = -2;
            const QString Expected = StraightforwardWrap(Factory, Item, Text, ExpectedBreaks);
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
        QTest::newRow("Latin, 1 line") << 1 << 1;
        QTest::newRow("Latin, 2 lines") << 0 << 2;
        QTest::newRow("Chinese, 2 lines") << 2 << 2;
        QTest::newRow("Chinese narrow, 3 lines") << 3 << 3;
        QTest::newRow("no box, 0 lines") << 4 << 0;
        QTest::newRow("unknown face, -2 lines") << 5 << -2;
    }

    void splitMatchesStraightforward()
    {
        QFETCH(int, Layout);
        QFETCH(qint32, LineMaximum);
        const TSubtitleItemFactory Factory;
        TSubtitleItem Item;
        Configure(Item, Layouts[Layout]);
        Item.SetLineMaximum(LineMaximum);
        TSubtitleGenerator Generator(2000 + quint32(Layout));
        qsizetype Parts = 0;
        for (int i = 0; i < 400; ++i) {
            const QString Text = Generator.Next();
            const std::vector<TTitle> Expected = StraightforwardSplit(Factory, Item, Text);
            const std::vector<TTitle> Actual = FactorySplit(Factory, Item, Text);
            if (Actual != Expected)
                QFAIL(qPrintable(QStringLiteral("subtitle %1 splits differently: %2").arg(i).arg(Text.toHtmlEscaped())));
            Parts += qsizetype(Actual.size());
        }
        QVERIFY(Parts > 400);
    }
};

QTEST_MAIN(TestWrapOracle)
#include "tst_wraporacle.moc"
