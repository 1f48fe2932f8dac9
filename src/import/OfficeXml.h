#pragma once

#include <QString>

#include <pugixml.hpp>

class TZipPackage;

// XML helpers for Office Open XML parts. Elements are matched by local name, because the
// namespace prefixes are the writer's choice ("w:", "x:" or none) and transitional and
// strict documents use different namespace URIs for the same elements.
class TOfficeXml
{
public:
    // Parses a part; a part that is no well-formed XML fails with EDocument naming the file.
    static void Load(TZipPackage& Package, const QString& PartName, pugi::xml_document& Document);
    // Parses a file that is one XML document (the Office 2003 XML formats). Its parts
    // bound a package's XML; such a file is refused when its tree would take more than
    // MaximumTreeBytes.
    static void Load(const QByteArray& Bytes, const QString& FileName, pugi::xml_document& Document);

    static constexpr qint64 MaximumTreeBytes = qint64(1) << 30;

    static const char* LocalName(const pugi::xml_node& Node) noexcept;
    static bool Is(const pugi::xml_node& Node, const char* Name) noexcept;
    static pugi::xml_node Child(const pugi::xml_node& Node, const char* Name) noexcept;
    static pugi::xml_attribute Attribute(const pugi::xml_node& Node, const char* Name) noexcept;

    // Next node of a pre-order walk below Root; descends into Node's children only when asked.
    // Walking iteratively keeps hostile nesting depths from exhausting the stack.
    static pugi::xml_node Next(const pugi::xml_node& Root, const pugi::xml_node& Node, bool Descend) noexcept;

    // Text of an element's character data, whitespace kept.
    static void AppendText(const pugi::xml_node& Element, QString& Text);
};
