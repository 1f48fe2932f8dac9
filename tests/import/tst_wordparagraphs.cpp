#include "import/WordParagraphs.h"

#include <QTest>

namespace
{
// Word's control characters written as visible letters, to keep the table readable:
// ¶ paragraph mark, ¤ cell or row mark, { field begin, | separator, } field end.
QString Word(QString Text)
{
    return Text.replace(u'¶', QChar(0x0D)).replace(u'¤', QChar(0x07)).replace(u'{', QChar(0x13))
        .replace(u'|', QChar(0x14)).replace(u'}', QChar(0x15));
}
} // namespace

class TestWordParagraphs : public QObject
{
    Q_OBJECT

private slots:
    void splitsText_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QStringList>("Lines");
        QTest::newRow("paragraphs, empty one kept, final mark gives no line")
            << Word("One¶¶Three¶") << QStringList{"One", "", "Three"};
        QTest::newRow("last paragraph without mark") << Word("One¶Two") << QStringList{"One", "Two"};
        QTest::newRow("nothing") << QString() << QStringList();
        QTest::newRow("only a mark") << Word("¶") << QStringList{""};
        QTest::newRow("tab stays, line break becomes a blank")
            << Word("a\tb\x0B" "c¶") << QStringList{"a\tb c"};
        QTest::newRow("hyphens") << Word(QStringLiteral("non\x1E" "breaking op\x1F" "tional¶"))
                                 << QStringList{"non-breaking optional"};
        QTest::newRow("no-break space stays") << Word(QStringLiteral("a\u00A0b¶")) << QStringList{QStringLiteral("a\u00A0b")};
        QTest::newRow("objects, notes and comments leave no trace")
            << Word(QStringLiteral("a\x01" "b\x08" "c\x02" "d\x05" "e\x03\x04") + QChar(0) + QStringLiteral("f¶"))
            << QStringList{"abcdef"};
        QTest::newRow("field result kept, instruction dropped")
            << Word("Page { PAGE |7} of { NUMPAGES |9}¶") << QStringList{"Page 7 of 9"};
        QTest::newRow("nested field inside the instruction")
            << Word("x{ IF { PAGE |1} = 1 \"one\" |one}y¶") << QStringList{"xoney"};
        QTest::newRow("nested field inside the result")
            << Word("x{ A |r{ B |s}t}y¶") << QStringList{"xrsty"};
        QTest::newRow("field without result") << Word("a{ TC \"entry\" }b¶") << QStringList{"ab"};
        QTest::newRow("stray separator and end are ignored") << Word("a|b}c¶") << QStringList{"abc"};
        QTest::newRow("field result across paragraphs")
            << Word("{ TOC |One¶Two}¶After¶") << QStringList{"One", "Two", "After"};
        QTest::newRow("page break followed by its mark ends one paragraph")
            << Word("Before\x0C¶After¶") << QStringList{"Before", "After"};
        QTest::newRow("section break as the mark") << Word("One\x0CTwo¶") << QStringList{"One", "Two"};
        QTest::newRow("column break") << Word("One\x0ETwo¶") << QStringList{"One", "Two"};
        QTest::newRow("cells without row-end information")
            << Word("a¤b¤¤After¶") << QStringList{"a", "b", "", "After"};
    }

    void splitsText()
    {
        QFETCH(QString, Text);
        QFETCH(QStringList, Lines);
        QCOMPARE(TWordParagraphs::Split(Text, {}), Lines);
    }

    void rowEndMarksYieldNoLine()
    {
        // Two rows of two cells; the second row has an empty cell. Row ends at 6 and 12.
        const QString Text = Word("a¤b¤¤c¤¤¤After¶");
        QList<qint64> Asked;
        const auto IsRowEnd = [&](qint64 Position) {
            Asked.append(Position);
            return Position == 4 || Position == 8;
        };
        QCOMPARE(TWordParagraphs::Split(Text, IsRowEnd), (QStringList{"a", "b", "c", "", "After"}));
        QVERIFY(Asked.contains(4) && Asked.contains(8));
    }

    void rowEndWithTextKeepsTheText()
    {
        const auto IsRowEnd = [](qint64 Position) { return Position == 3; };
        QCOMPARE(TWordParagraphs::Split(Word("a¤b¤¶"), IsRowEnd), (QStringList{"a", "b", ""}));
    }

    void nestedRowEndParagraphMarkYieldsNoLine()
    {
        // An inner table's row ends with a paragraph mark that carries the row-end property.
        const auto IsRowEnd = [](qint64 Position) { return Position == 4; };
        QCOMPARE(TWordParagraphs::Split(Word("x¶y¶¶z¤¤"), IsRowEnd), (QStringList{"x", "y", "z", ""}));
    }
};

QTEST_GUILESS_MAIN(TestWordParagraphs)
#include "tst_wordparagraphs.moc"
