#include "titles/WordBreaks.h"

#include <QRandomGenerator>
#include <QTest>

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <memory>

namespace {

// Word with a '|' at every place where a line may break inside it.
QString Marked(const QString& Word)
{
    TWordBreaks::TOffsets Offsets;
    TWordBreaks::Find(Word, Offsets);
    QString Result = Word;
    for (qsizetype i = Offsets.size(); i-- > 0;)
        Result.insert(Offsets[i], QLatin1Char('|'));
    return Result;
}

QList<qsizetype> Offsets(const QString& Word)
{
    TWordBreaks::TOffsets Found;
    TWordBreaks::Find(Word, Found);
    return QList<qsizetype>(Found.cbegin(), Found.cend());
}

bool IsEastAsian(UChar32 CodePoint)
{
    return u_hasBinaryProperty(CodePoint, UCHAR_IDEOGRAPHIC) || uscript_hasScript(CodePoint, USCRIPT_HAN)
        || uscript_hasScript(CodePoint, USCRIPT_HIRAGANA) || uscript_hasScript(CodePoint, USCRIPT_KATAKANA)
        || ublock_getCode(CodePoint) == UBLOCK_CJK_SYMBOLS_AND_PUNCTUATION
        || u_getIntPropertyValue(CodePoint, UCHAR_EAST_ASIAN_WIDTH) == U_EA_FULLWIDTH;
}

// The soft breaks of ICU's iterator over the whole word next to an East Asian character.
QList<qsizetype> IteratorBreaks(icu::BreakIterator& Iterator, const QString& Word)
{
    const icu::UnicodeString Text(reinterpret_cast<const UChar*>(Word.utf16()), int32_t(Word.size()));
    Iterator.setText(Text);
    QList<qsizetype> Result;
    for (int32_t Offset = Iterator.next(); Offset != icu::BreakIterator::DONE && Offset < Word.size();
         Offset = Iterator.next())
        if (Iterator.getRuleStatus() < UBRK_LINE_HARD
            && (IsEastAsian(Text.char32At(Offset - 1)) || IsEastAsian(Text.char32At(Offset))))
            Result.push_back(Offset);
    return Result;
}

} // namespace

class TestWordBreaks : public QObject
{
    Q_OBJECT

private slots:
    void find_data()
    {
        QTest::addColumn<QString>("Marked");
        QTest::newRow("Chinese between ideographs") << "我|们|今|天|晚|上|去|看|电|影";
        QTest::newRow("Chinese full stop and comma stay behind") << "你|好，|世|界。";
        QTest::newRow("Chinese brackets and book title marks") << "他|说|（很|好）|《红|楼|梦》|读|完";
        QTest::newRow("Chinese quotes stay with their text") << "他|说：“你|好”。";
        QTest::newRow("Japanese small kana and prolonged sound mark") << "ちょっ|と|待っ|て|コー|ヒー|を";
        QTest::newRow("Japanese corner brackets") << "「は|い」|『い|い|え』";
        QTest::newRow("ellipsis follows its text") << "好……|好";
        QTest::newRow("Latin word inside Chinese") << "使|用|Windows|系|统";
        QTest::newRow("digits before an ideograph") << "2024|年|12|月";
        QTest::newRow("full-width letters") << "Ａ|Ｂ|Ｃ";
        QTest::newRow("ideographs outside the BMP") << QString::fromUcs4(U"\U00020000|\U00020001|字");
        QTest::newRow("line break the word holds") << "中\r\n文";
        QTest::newRow("English with hyphen, slash and digits") << "e-mail/and-or/MP3/2024-12-10";
        QTest::newRow("Korean") << "안녕하세요";
        QTest::newRow("Russian") << "Установка";
        QTest::newRow("Greek") << "Καλημέρα";
        QTest::newRow("Czech") << "předtím";
        QTest::newRow("ideographs and kana of one class") << "東|京|あ|ア|〆";
        QTest::newRow("emoji beside ideographs") << QString::fromUcs4(U"字|\U0001F600\U0001F600|字");
        QTest::newRow("one ideograph") << "字";
        QTest::newRow("empty") << "";
    }

    void find()
    {
        QFETCH(QString, Marked);
        QString Word = Marked;
        Word.remove(QLatin1Char('|'));
        QCOMPARE(::Marked(Word), Marked);
    }

    // Random words of Chinese, Japanese, punctuation of both widths, Latin letters,
    // digits, marks, emoji and line breaks: the breaks are those of ICU's iterator asked
    // about the whole word.
    void findMatchesTheIterator()
    {
        static const QString Pool = QStringLiteral("我们的天国東京あアっょーゃ，。、！？：；（）「」『』《》“”‘’…·〆ＡＢ１２abcXYZ019-/.,:;!?()$%'\"\t\r\n\u0301\u200D")
                                  + QString::fromUcs4(U"\U00020000\U0001F600\U0001F44D\U0001F3FB\U0001F1EF\U0001F1F5");
        QList<uint> CodePoints;
        for (const uint CodePoint : Pool.toUcs4())
            CodePoints.push_back(CodePoint);
        UErrorCode Status = U_ZERO_ERROR;
        const std::unique_ptr<icu::BreakIterator> Iterator(icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), Status));
        QVERIFY(U_SUCCESS(Status));
        QRandomGenerator Random(20261210);
        for (int i = 0; i < 20000; ++i) {
            QList<uint> Word;
            const int Length = 2 + int(Random.bounded(12));
            for (int k = 0; k < Length; ++k)
                Word.push_back(CodePoints[int(Random.bounded(int(CodePoints.size())))]);
            const QString Text = QString::fromUcs4(reinterpret_cast<const char32_t*>(Word.constData()), Word.size());
            if (Offsets(Text) != IteratorBreaks(*Iterator, Text))
                QFAIL(qPrintable(QStringLiteral("%1 gives %2").arg(Text.toHtmlEscaped(), Marked(Text))));
        }
    }

    // No line may start with closing punctuation, a full stop or comma of either width,
    // a small kana or the prolonged sound mark, nor end with opening punctuation.
    void punctuation_data()
    {
        QTest::addColumn<QString>("Character");
        QTest::addColumn<bool>("Opening");
        for (const QChar Closing : QStringView(u"，。、！？；：）」』》”’ーっょ…,.")) {
            const QString Name = QStringLiteral("no line starts with %1").arg(Closing);
            QTest::newRow(qPrintable(Name)) << QString(Closing) << false;
        }
        for (const QChar Opening : QStringView(u"（「『《“‘")) {
            const QString Name = QStringLiteral("no line ends with %1").arg(Opening);
            QTest::newRow(qPrintable(Name)) << QString(Opening) << true;
        }
    }

    void punctuation()
    {
        QFETCH(QString, Character);
        QFETCH(bool, Opening);
        // Ideographs on both sides offer a break on both sides, unless the mark forbids it.
        const QString Word = QStringLiteral("字字") + Character + QStringLiteral("字字");
        const QList<qsizetype> Found = Offsets(Word);
        QVERIFY2(Found.contains(1), qPrintable(Marked(Word)));
        QVERIFY2(!Found.contains(Opening ? 3 : 2), qPrintable(Marked(Word)));
    }
};

QTEST_MAIN(TestWordBreaks)
#include "tst_wordbreaks.moc"
