#pragma once

#include "TitleXmlDocument.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <pugixml.hpp>

// Base of the title file binding: a view of one element of a parsed title document.
// Views are cheap to copy and share ownership of the document, which therefore lives
// as long as any view of it.
//
// Child lookup: a child is the first element child with exactly that name. When there
// is none, an empty element of that name is appended as the last child and access goes
// on with it -- on reading as well as on writing, so reading can change the document.
// Later elements of the same name are never touched.
//
// Value rules: a text value is the element's text content. An integer value must be
// the text of a 32-bit decimal integer; empty or other text raises EConvertError that
// names the element and the file. Writing replaces the element's content by the text
// alone and leaves every other node (comments, whitespace) where it was.
class TXMLTitleNode
{
public:
    TXMLTitleNode() = default;
    TXMLTitleNode(std::shared_ptr<TTitleXmlDocument> Document, pugi::xml_node Node);

    bool IsNull() const { return !FNode; }
    QString NodeName() const;
    // The element with all its content as the XML layer writes it, whitespace as loaded;
    // control characters other than tab, CR and LF are left out.
    QString XML() const;
    // The same text appended to Bytes as UTF-16 in the machine's byte order (char16_t),
    // without a QString between.
    void AppendXML(QByteArray& Bytes) const;

    pugi::xml_node DOMNode() const { return FNode; }
    // The child element Name (see child lookup) as a view of its own.
    TXMLTitleNode Child(const char* Name) const { return TXMLTitleNode(FDocument, ChildElement(Name)); }
    // Replaces this element's content by Value (see value rules).
    void SetText(const QString& Value) const;
    const std::shared_ptr<TTitleXmlDocument>& OwnerDocument() const { return FDocument; }

    friend bool operator==(const TXMLTitleNode& A, const TXMLTitleNode& B) { return A.FNode == B.FNode; }

protected:
    pugi::xml_node ChildElement(const char* Name) const;

    QString ChildText(const char* Name) const;
    void SetChildText(const char* Name, const QString& Value) const;
    qint32 ChildInteger(const char* Name) const;
    void SetChildInteger(const char* Name, qint32 Value) const;

    template <class TNode>
    TNode ChildNode(const char* Name) const
    {
        return TNode(FDocument, ChildElement(Name));
    }

private:
    std::shared_ptr<TTitleXmlDocument> FDocument;
    pugi::xml_node FNode;
};
