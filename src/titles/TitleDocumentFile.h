#pragma once

#include "XMLTitleDocumentType.h"

#include <QByteArray>
#include <QString>

// Loading and saving title files (.etl).
//
// LoadTitleDocument reads any XML file that the parser accepts -- UTF-8, UTF-16 or
// UTF-32 by byte-order mark, UTF-16 without mark, or the encoding its declaration
// names -- keeping whitespace-only text, comments and processing instructions, with
// every line break handed back as LF. Each call gives an independent document. Errors
// name the file: EOSError when it cannot be read or holds more than
// MaximumTitleFileSize bytes, EXMLDocError when it is not well-formed XML, and
// EIntfCastError ("Interface not supported") when its root is not an un-namespaced
// TitleDocument.
TXMLTitleDocumentType LoadTitleDocument(const QString& FileName);

// A title holds one subtitle in a few kilobytes; a file far larger is no title, and
// parsing it would only exhaust the memory.
constexpr qint64 MaximumTitleFileSize = qint64(64) << 20;

// Same as LoadTitleDocument, from bytes already in memory; FileName only names the
// source in messages.
TXMLTitleDocumentType ParseTitleDocument(const QByteArray& Content, const QString& FileName);

// The text of a title file: the two fixed header lines (XML declaration for UTF-16 and
// the Quick Titler comment) and the serialized root element, whatever declaration or
// comments the loaded file had.
QString TitleDocumentText(const TXMLTitleDocumentType& Document);

// The bytes of the title file: TitleDocumentText() as TUnicodeTextFile::Encode gives it.
QByteArray TitleDocumentBytes(const TXMLTitleDocumentType& Document);

// Writes TitleDocumentText() with TUnicodeTextFile::Save: UTF-16 LE with FF FE, CR LF
// after every line, atomically. EOSError names the file on failure.
void SaveTitleDocument(const TXMLTitleDocumentType& Document, const QString& FileName);
