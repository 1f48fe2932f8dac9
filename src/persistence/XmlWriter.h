#pragma once

#include <QString>
#include <QStringList>

// Writes indented XML text line by line: two spaces per level, CR LF after every line,
// and the namespace prefixes NS1, NS2, ... handed out in the order they are first
// asked for. The root's start tag is added at the end, when every namespace is known.
class TXmlWriter
{
public:
    // The prefix bound to Namespace, declaring a new one on first use.
    QString Prefix(const QString& Namespace);

    void StartElement(const QString& Name, const QString& Attributes);
    void EndElement(const QString& Name);
    // One element on one line: <Name Attributes>Text</Name>, or <Name Attributes/> when
    // Text is empty.
    void Element(const QString& Name, const QString& Attributes, const QString& Text);

    // The document: declaration, root start tag with every namespace, body, root end tag.
    QString Document(const QString& StandAlone, const QString& RootName, const QString& ExtraDeclarations) const;

    static QString EscapeText(const QString& Text);
    static QString EscapeAttribute(const QString& Text);

private:
    void Indent();

    QStringList FNamespaces;
    QString FBody;
    int FDepth = 1;
};
