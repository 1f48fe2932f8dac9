#include "XlsxParser.h"

#include "DocumentError.h"
#include "OfficeXml.h"
#include "PackageRelationships.h"
#include "ZipPackage.h"

#include <QList>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

namespace
{
// Excel writes characters that XML cannot hold as "_xHHHH_", and a literal "_x" as "_x005F_x".
QString DecodeEscapes(const QString& Text)
{
    if (!Text.contains(QStringLiteral("_x")))
        return Text;
    QString Result;
    Result.reserve(Text.size());
    qsizetype I = 0;
    while (I < Text.size())
    {
        if (I + 7 <= Text.size() && Text[I] == u'_' && Text[I + 1] == u'x' && Text[I + 6] == u'_')
        {
            bool Ok = false;
            const uint Code = QStringView(Text).sliced(I + 2, 4).toUInt(&Ok, 16);
            if (Ok)
            {
                Result += QChar(char16_t(Code));
                I += 7;
                continue;
            }
        }
        Result += Text[I];
        ++I;
    }
    return Result;
}

// Text of a shared or inline string: its plain text, or its rich runs joined; phonetic
// guides (rPh) are reading aids, not content.
QString StringItemText(const pugi::xml_node& Item)
{
    QString Text;
    for (pugi::xml_node C = Item.first_child(); C; C = C.next_sibling())
    {
        if (TOfficeXml::Is(C, "t"))
            TOfficeXml::AppendText(C, Text);
        else if (TOfficeXml::Is(C, "r"))
            for (pugi::xml_node T = C.first_child(); T; T = T.next_sibling())
                if (TOfficeXml::Is(T, "t"))
                    TOfficeXml::AppendText(T, Text);
    }
    return DecodeEscapes(Text);
}

QString WorkbookPart(TZipPackage& Package)
{
    QString Part = TPackageRelationships::Target(Package, QString(), QStringLiteral("/officeDocument"));
    if (Part.isEmpty() || !Package.HasEntry(Part))
        Part = QStringLiteral("xl/workbook.xml");
    if (!Package.HasEntry(Part))
        throw EDocument::InvalidFormat(Package.FileName());
    return Part;
}

QString FirstSheetPart(TZipPackage& Package, const QString& Workbook)
{
    pugi::xml_document Document;
    TOfficeXml::Load(Package, Workbook, Document);
    const pugi::xml_node Sheets = TOfficeXml::Child(TOfficeXml::Child(Document, "workbook"), "sheets");
    const pugi::xml_node Sheet = TOfficeXml::Child(Sheets, "sheet");
    if (!Sheet)
        throw EDocument(QStringLiteral("工作簿 '%1' 中没有工作表。").arg(Package.FileName()));
    const QString Id = QString::fromUtf8(TOfficeXml::Attribute(Sheet, "id").value());
    const QString Part = TPackageRelationships::TargetById(Package, Workbook, Id);
    if (Part.isEmpty() || !Package.HasEntry(Part))
        throw EDocument(QStringLiteral("工作簿 '%1' 的第一个工作表 '%2' 不存在。")
                            .arg(Package.FileName(), QString::fromUtf8(TOfficeXml::Attribute(Sheet, "name").value())));
    return Part;
}

QStringList SharedStrings(TZipPackage& Package, const QString& Workbook)
{
    QString Part = TPackageRelationships::Target(Package, Workbook, QStringLiteral("/sharedStrings"));
    if (Part.isEmpty() || !Package.HasEntry(Part))
        Part = QStringLiteral("xl/sharedStrings.xml");
    QStringList Strings;
    if (!Package.HasEntry(Part))
        return Strings;
    pugi::xml_document Document;
    TOfficeXml::Load(Package, Part, Document);
    for (pugi::xml_node Item = TOfficeXml::Child(Document, "sst").first_child(); Item; Item = Item.next_sibling())
        if (TOfficeXml::Is(Item, "si"))
            Strings.append(StringItemText(Item));
    return Strings;
}

// "A1:C7" gives row 7, "B12" row 12; 0 when the reference names no row.
qint64 ReferenceRow(const char* Reference)
{
    const char* Last = std::strrchr(Reference, ':');
    const char* P = Last ? Last + 1 : Reference;
    while (*P == '$' || (*P >= 'A' && *P <= 'Z') || (*P >= 'a' && *P <= 'z'))
        ++P;
    qint64 Row = 0;
    const char* End = P + std::strlen(P);
    const auto [Rest, Error] = std::from_chars(P, End, Row);
    return (Error == std::errc() && Rest == End) ? Row : 0;
}

// Column number of a cell reference ("A7" is 1, "C7" is 3); 0 when it has none.
qint64 ReferenceColumn(const char* Reference)
{
    qint64 Column = 0;
    for (const char* P = Reference; *P; ++P)
    {
        const char C = *P;
        if (C == '$')
            continue;
        if (C >= 'A' && C <= 'Z')
            Column = Column * 26 + (C - 'A' + 1);
        else if (C >= 'a' && C <= 'z')
            Column = Column * 26 + (C - 'a' + 1);
        else
            break;
        if (Column > 1 << 20)
            break;
    }
    return Column;
}

QString CellText(const pugi::xml_node& Cell, const QStringList& Shared, const QString& FileName)
{
    const char* Type = TOfficeXml::Attribute(Cell, "t").value();
    if (std::strcmp(Type, "inlineStr") == 0)
        return StringItemText(TOfficeXml::Child(Cell, "is"));

    const pugi::xml_node ValueNode = TOfficeXml::Child(Cell, "v");
    QString Value;
    TOfficeXml::AppendText(ValueNode, Value);
    if (!ValueNode)
        return Value;

    if (std::strcmp(Type, "s") == 0)
    {
        bool Ok = false;
        const qint64 Index = Value.trimmed().toLongLong(&Ok);
        if (!Ok || Index < 0 || Index >= Shared.size())
            throw EDocument(QStringLiteral("文件 '%1' 的单元格 %2 引用了不存在的共享字符串 '%3'。")
                                .arg(FileName, QString::fromUtf8(TOfficeXml::Attribute(Cell, "r").value()), Value));
        return Shared.at(Index);
    }
    if (std::strcmp(Type, "b") == 0)
        return Value.trimmed() == u"0" ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
    if (*Type == 0 || std::strcmp(Type, "n") == 0)
        return TXlsxParser::FormatNumberText(Value);
    // "str" (a formula's text result), "e" (an error such as #DIV/0!) and "d" (an ISO date)
    // are shown as they stand.
    return DecodeEscapes(Value);
}
} // namespace

QString TXlsxParser::FormatNumber(double Value)
{
    if (!std::isfinite(Value))
        return QStringLiteral("#NUM!"); // a cell cannot hold one; seen only in forged files
    if (Value == 0)
        Value = 0; // no "-0"

    // The shortest digits that read back to the same value, placed in plain notation for
    // the magnitudes people type (a million stays "1000000", not "1e+06"), and in
    // Excel's exponent style ("1.5E+25") only for the very large and very small.
    char Buffer[64];
    const auto Scientific = std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(Value), std::chars_format::scientific);
    const std::string_view Text(Buffer, size_t(Scientific.ptr - Buffer));
    const size_t Mark = Text.find('e');
    int Exponent = 0;
    std::from_chars(Text.data() + Mark + (Text[Mark + 1] == '+' ? 2 : 1), Text.data() + Text.size(), Exponent);

    QString Result = Value < 0 ? QStringLiteral("-") : QString();
    const QString Point = QLocale().decimalPoint();
    if (Exponent < -7 || Exponent >= 21)
    {
        Result += QString::fromLatin1(Text.data(), qsizetype(Text.size())).replace(u'e', u'E');
        return Result.replace(u'.', Point);
    }

    std::string Digits(Text.substr(0, Mark));
    if (Digits.size() > 1)
        Digits.erase(1, 1); // the point after the first digit
    const int Count = int(Digits.size());
    if (Exponent < 0)
        Result += QStringLiteral("0") + Point + QString(-Exponent - 1, u'0') + QString::fromLatin1(Digits);
    else if (Exponent + 1 >= Count)
        Result += QString::fromLatin1(Digits) + QString(Exponent + 1 - Count, u'0');
    else
        Result += QString::fromLatin1(Digits.substr(0, size_t(Exponent) + 1)) + Point
            + QString::fromLatin1(Digits.substr(size_t(Exponent) + 1));
    return Result;
}

QString TXlsxParser::FormatNumberText(const QString& Text)
{
    const QByteArray Number = Text.trimmed().toLatin1();
    double Parsed = 0;
    const char* End = Number.constData() + Number.size();
    const auto [Rest, Error] = std::from_chars(Number.constData(), End, Parsed);
    if (Error == std::errc() && Rest == End && std::isfinite(Parsed))
        return FormatNumber(Parsed);
    return Text;
}

EDocument TXlsxParser::InvalidRowNumber(const QString& FileName, const QString& Row)
{
    return EDocument(QStringLiteral("文件 '%1' 的工作表中有无效的行号 '%2'。").arg(FileName, Row));
}

QStringList TXlsxParser::Parse(const QByteArray& ZipBytes, const QString& FileName)
{
    TZipPackage Package(ZipBytes, FileName);
    const QString Workbook = WorkbookPart(Package);
    const QString SheetPart = FirstSheetPart(Package, Workbook);
    const QStringList Shared = SharedStrings(Package, Workbook);

    pugi::xml_document Document;
    TOfficeXml::Load(Package, SheetPart, Document);
    const pugi::xml_node Worksheet = TOfficeXml::Child(Document, "worksheet");
    if (!Worksheet)
        throw EDocument::InvalidFormat(FileName);

    // The dimension is the writer's claim; cells beyond it (a stale claim) are still used,
    // so that no subtitle is lost.
    qint64 LastRow = ReferenceRow(TOfficeXml::Attribute(TOfficeXml::Child(Worksheet, "dimension"), "ref").value());
    std::map<qint64, QString> ColumnA;

    const pugi::xml_node SheetData = TOfficeXml::Child(Worksheet, "sheetData");
    bool AnyCell = false;
    qint64 RowNumber = 0;
    for (pugi::xml_node Row = SheetData.first_child(); Row; Row = Row.next_sibling())
    {
        if (!TOfficeXml::Is(Row, "row"))
            continue;
        const pugi::xml_attribute R = TOfficeXml::Attribute(Row, "r");
        RowNumber = R ? R.as_llong() : RowNumber + 1;
        if (RowNumber < 1 || RowNumber > MaximumRow)
            throw InvalidRowNumber(FileName, QString::fromUtf8(R.value()));
        qint64 ColumnNumber = 0;
        for (pugi::xml_node Cell = Row.first_child(); Cell; Cell = Cell.next_sibling())
        {
            if (!TOfficeXml::Is(Cell, "c"))
                continue;
            const pugi::xml_attribute Reference = TOfficeXml::Attribute(Cell, "r");
            ColumnNumber = Reference ? ReferenceColumn(Reference.value()) : ColumnNumber + 1;
            LastRow = std::max(LastRow, RowNumber);
            AnyCell = true;
            if (ColumnNumber == 1)
                ColumnA[RowNumber] = CellText(Cell, Shared, FileName);
        }
    }
    // Excel gives an empty sheet the dimension "A1"; a sheet without cells has no used row.
    if (!AnyCell)
        LastRow = 0;
    LastRow = std::min<qint64>(LastRow, MaximumRow);

    QStringList Lines;
    Lines.reserve(LastRow);
    auto Next = ColumnA.begin();
    for (qint64 I = 1; I <= LastRow; ++I)
    {
        if (Next != ColumnA.end() && Next->first == I)
        {
            Lines.append(Next->second);
            ++Next;
        }
        else
            Lines.append(QString());
    }
    return Lines;
}
