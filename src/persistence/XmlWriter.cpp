#include "XmlWriter.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

bool NeedsEscape(const QString& Text, bool InAttribute)
{
    for (const QChar Character : Text) {
        const char16_t Code = Character.unicode();
        if (Code == u'&' || Code == u'<' || Code == u'>' || Code < 0x20 || (InAttribute && Code == u'"'))
            return true;
    }
    return false;
}

QString Escape(const QString& Text, bool InAttribute)
{
    if (!NeedsEscape(Text, InAttribute))
        return Text;
    QString Result;
    Result.reserve(Text.size());
    for (const QChar Character : Text) {
        const char16_t Code = Character.unicode();
        switch (Code) {
        case u'&': Result += QLatin1String("&amp;"); break;
        case u'<': Result += QLatin1String("&lt;"); break;
        case u'>': Result += QLatin1String("&gt;"); break;
        case u'"':
            if (InAttribute)
                Result += QLatin1String("&quot;");
            else
                Result += Character;
            break;
        default:
            // A parser normalises a raw CR (and in attributes also tabs and line feeds)
            // away; a character reference keeps it.
            if (Code == u'\r' || (Code < 0x20 && Code != u'\n' && Code != u'\t') || (InAttribute && Code < 0x20))
                Result += QStringLiteral("&#%1;").arg(int(Code));
            else
                Result += Character;
        }
    }
    return Result;
}

} // namespace

QString TXmlWriter::EscapeText(const QString& Text)
{
    return Escape(Text, false);
}

QString TXmlWriter::EscapeAttribute(const QString& Text)
{
    return Escape(Text, true);
}

QString TXmlWriter::Prefix(const QString& Namespace)
{
    qsizetype Index = FNamespaces.indexOf(Namespace);
    if (Index < 0) {
        FNamespaces.append(Namespace);
        Index = FNamespaces.size() - 1;
    }
    return QStringLiteral("NS%1").arg(Index + 1);
}

void TXmlWriter::Indent()
{
    for (int Level = 0; Level < FDepth; ++Level)
        FBody += QLatin1String("  ");
}

void TXmlWriter::StartElement(const QString& Name, const QString& Attributes)
{
    Indent();
    FBody += QLatin1Char('<') + Name + Attributes + QLatin1Char('>') + LineEnd;
    ++FDepth;
}

void TXmlWriter::EndElement(const QString& Name)
{
    --FDepth;
    Indent();
    FBody += QLatin1String("</") + Name + QLatin1Char('>') + LineEnd;
}

void TXmlWriter::Element(const QString& Name, const QString& Attributes, const QString& Text)
{
    // Appended piece by piece: a project of many records writes hundreds of thousands
    // of these, and temporaries would dominate the save.
    Indent();
    FBody += QLatin1Char('<');
    FBody += Name;
    FBody += Attributes;
    if (Text.isEmpty()) {
        FBody += QLatin1String("/>\r\n");
        return;
    }
    FBody += QLatin1Char('>');
    FBody += EscapeText(Text);
    FBody += QLatin1String("</");
    FBody += Name;
    FBody += QLatin1String(">\r\n");
}

QString TXmlWriter::Document(const QString& StandAlone, const QString& RootName, const QString& ExtraDeclarations) const
{
    QString Result = QStringLiteral("<?xml version=\"1.0\" standalone=\"%1\"?>").arg(EscapeAttribute(StandAlone)) + LineEnd;
    Result += QLatin1Char('<') + RootName;
    for (qsizetype Index = 0; Index < FNamespaces.size(); ++Index)
        Result += QStringLiteral(" xmlns:NS%1=\"%2\"").arg(Index + 1).arg(EscapeAttribute(FNamespaces[Index]));
    Result += ExtraDeclarations + QLatin1Char('>') + LineEnd;
    Result += FBody;
    Result += QLatin1String("</") + RootName + QLatin1Char('>') + LineEnd;
    return Result;
}
