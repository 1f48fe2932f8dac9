#pragma once

#include <QString>

#include <pugixml.hpp>

// One parsed title file: the DOM and the name of the file it came from. Node views
// share ownership of it, so the document lives as long as any node of it is held.
// A document and its nodes belong to one thread at a time.
class TTitleXmlDocument
{
public:
    explicit TTitleXmlDocument(QString FileName)
        : FFileName(std::move(FileName))
    {
    }

    TTitleXmlDocument(const TTitleXmlDocument&) = delete;
    TTitleXmlDocument& operator=(const TTitleXmlDocument&) = delete;

    pugi::xml_document& Xml() { return FXml; }
    const pugi::xml_document& Xml() const { return FXml; }
    // The file the document was loaded from; error messages name it.
    const QString& FileName() const { return FFileName; }

private:
    pugi::xml_document FXml;
    QString FFileName;
};
