#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Text files as the host's title tool writes them: the byte-order mark FF FE, then
// UTF-16 little-endian, every line (the last one too) ended by CR LF.
class TUnicodeTextFile
{
public:
    // The file's bytes for Text: every CR LF, lone CR and lone LF becomes CR LF, and a
    // last line without a break gets one. Empty text gives the mark alone.
    static QByteArray Encode(QStringView Text);
    // Appends Text to Bytes as Encode writes it, without the mark and without ending
    // the last line: the bytes of a part of a file.
    static void AppendLines(QByteArray& Bytes, QStringView Text);
    // Creates or replaces FileName with Encode(Text), atomically (TAtomicFile).
    static void Save(QStringView Text, const QString& FileName);
};
