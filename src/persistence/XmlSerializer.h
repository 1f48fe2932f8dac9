#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class TClassInfo;
class TPersistent;

// Writes any object with a published property table as XML and reads such a document
// back into a new object of a given class. It walks the property table, recursing
// into lists of objects, and knows no class of the system: the project file is a
// serialized TProject.
//
// Written layout: a declaration with version and standalone (no encoding), the root
// element, the object element in the node namespace, one element per published
// property in table order with an xsi:type annotation, lists as SOAP arrays of "item"
// elements. Every namespace is declared once on the root as NS1, NS2, ... in the order
// the writer first needs it; the XML Schema instance namespace is declared last, as
// "xsi". Two spaces indent each level; lines end in CR LF; empty elements are written
// as <Name .../>. Reading matches elements by local name only.
class TXmlSerializer
{
public:
    // Empty settings take their defaults: "yes", the xmlns namespace, "Root" and the
    // class name of the serialized object.
    QString StandAlone;
    QString NodeNamespace;
    QString RootName;
    QString NodeName;

    // Builds the document of Obj into XmlText and, when FileName is not empty, saves it
    // there as UTF-8. The save replaces the file only once it is complete, so a failed
    // save leaves the previous file as it was; its error names the file.
    void Serialize(const TPersistent& Obj, const QString& FileName, QString& XmlText) const;

    // A new object of Class read from the file (IsFile) or from the XML text itself.
    // Raises EXMLDocError "Invalid XML format." for a document without an element
    // child, and the conversion error of a value that does not fit its property.
    std::unique_ptr<TPersistent> Deserialize(const TClassInfo& Class, const QString& Source, bool IsFile) const;
    std::unique_ptr<TPersistent> LoadFromFile(const TClassInfo& Class, const QString& FileName) const
    {
        return Deserialize(Class, FileName, true);
    }
    // The same from a file's bytes already in memory: the encoding is found as for a file.
    std::unique_ptr<TPersistent> LoadFromContent(const TClassInfo& Class, const QByteArray& Content) const;

    // Largest project file read; larger files are refused before parsing.
    static constexpr qint64 MaximumFileSize = 512ll * 1024 * 1024;
};
