#include "HtmlSheetParser.h"

#include "DocumentError.h"
#include "HtmlBlocks.h"
#include "HtmlCharset.h"
#include "HtmlLine.h"
#include "MalformedDataError.h"
#include "XlsxParser.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>

namespace
{
class TColumnA final : public THtmlBlocks
{
public:
    QStringList Read(QByteArrayView Utf8)
    {
        ParsePage(Utf8);
        EndRowOfText();
        const qint64 Rows = std::min<qint64>(FLastRow, TXlsxParser::MaximumRow);
        QStringList Lines;
        Lines.reserve(Rows);
        auto Next = FColumnA.begin();
        for (qint64 Row = 0; Row < Rows; ++Row)
        {
            if (Next != FColumnA.end() && Next->first == Row)
                Lines.append((Next++)->second);
            else
                Lines.append(QString());
        }
        return Lines;
    }

private:
    void Start(TElement Element, TAttributes Attributes) override
    {
        if (FInCell)
        {
            // Everything inside a cell, a table within it too, is the cell's text.
            if (Element == TElement::Table)
                ++FTables;
            if (Element == TElement::Break)
                FLine.AppendBreak();
            else
                FLine.EndBlock();
            return;
        }
        if (FTables == 0)
        {
            // A line break ends the row; alone it makes an empty one.
            if (Element == TElement::Break && FLine.IsEmpty())
                NextRow();
            else
                EndRowOfText();
            if (Element == TElement::Table)
                FTables = 1;
            return;
        }
        if (Element == TElement::Row)
            FCells = 0;
        else if (Element == TElement::Cell)
            StartCell(Attributes);
    }

    void End(TElement Element) override
    {
        if (FInCell)
        {
            if (Element == TElement::Table)
                --FTables;
            if (Element == TElement::Cell && FTables == 1)
                EndCell();
            else if (Element != TElement::Break)
                FLine.EndBlock();
            return;
        }
        if (FTables == 0)
        {
            if (Element != TElement::Break)
                EndRowOfText();
            return;
        }
        if (Element == TElement::Table)
            FTables = 0;
        else if (Element == TElement::Row)
            NextRow();
    }

    void Text(QByteArrayView Utf8, bool Preformatted) override
    {
        // Inside a table only the text of the cell in column A counts; white space and
        // captions around the cells do not.
        if (FTables == 0 || FCapturing)
            FLine.Append(Utf8, Preformatted);
    }

    void StartCell(TAttributes Attributes)
    {
        FInCell = true;
        FCapturing = FCells++ == 0 && FRow >= FSpannedUntil;
        const qint64 Span = std::clamp<qint64>(Number(Attribute(Attributes, "rowspan")), 1, 65534);
        FLastRow = std::max(FLastRow, FRow + Span);
        FValue.reset();
        if (!FCapturing)
            return;
        FSpannedUntil = FRow + Span;
        if (const char* Raw = Attribute(Attributes, "x:str"); Raw && *Raw)
            FValue = QString::fromUtf8(Raw);
        else if (const char* Raw = Attribute(Attributes, "x:num"); Raw && *Raw)
        {
            double Value = 0;
            const char* End = Raw + std::strlen(Raw);
            const auto [Rest, Error] = std::from_chars(Raw, End, Value);
            if (Error == std::errc() && Rest == End && std::isfinite(Value))
                FValue = TXlsxParser::FormatNumber(Value);
        }
    }

    void EndCell()
    {
        QString Text = FLine.Take();
        if (FCapturing)
        {
            while (Text.endsWith(u'\n'))
                Text.chop(1);
            FColumnA[FRow] = FValue ? *FValue : Text;
        }
        FCapturing = FInCell = false;
    }

    // Text outside tables: a row of its own when it holds anything.
    void EndRowOfText()
    {
        if (!FLine.IsEmpty())
        {
            FColumnA[FRow] = FLine.Take();
            NextRow();
        }
    }

    void NextRow()
    {
        FLastRow = std::max(FLastRow, ++FRow);
        if (FRow >= TXlsxParser::MaximumRow)
            Stop(); // Excel reads no further
    }

    // A span's number of rows, 1 when it gives none.
    static qint64 Number(const char* Text)
    {
        qint64 Value = 1;
        if (Text)
            std::from_chars(Text, Text + std::strlen(Text), Value);
        return Value;
    }

    THtmlLine FLine;
    std::map<qint64, QString> FColumnA; // by 0-based row
    qint64 FRow = 0;          // the row being filled
    qint64 FLastRow = 0;      // one past the last used row
    qint64 FSpannedUntil = 0; // column A belongs to a cell above that spans rows until here
    int FTables = 0;          // open tables: the outermost, then those inside its cells
    int FCells = 0;           // cells so far in the row
    bool FInCell = false;     // inside a cell of the outermost table
    bool FCapturing = false;  // that cell is the row's cell in column A
    std::optional<QString> FValue;
};
} // namespace

QStringList THtmlSheetParser::Parse(
    const QByteArray& Page, const QString& FileName, const QByteArray& LegacyCodec, QByteArrayView HeaderCharset)
{
    const QByteArray Utf8 = THtmlCharset::ToUtf8(Page, HeaderCharset, LegacyCodec, FileName);
    try
    {
        return TColumnA().Read(Utf8);
    }
    catch (const EMalformedData& Error)
    {
        throw EDocument(QStringLiteral("无法读取网页 '%1'：%2。").arg(FileName, Error.Message()));
    }
}
