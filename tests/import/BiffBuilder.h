#pragma once

#include <QByteArray>
#include <QString>
#include <QList>
#include <QStringList>

#include <cstring>
#include <functional>

// Builds the record stream of an Excel 97-2003 (BIFF8) or Excel 5.0/95 (BIFF5) workbook
// byte by byte, so tests and benchmarks make the workbooks they need instead of keeping files.
class TBiff
{
public:
    static constexpr quint16 Biff5 = 0x0500;
    static constexpr quint16 Biff8 = 0x0600;

    TBiff& Record(quint16 Type, const QByteArray& Body)
    {
        U16(FBytes, Type);
        U16(FBytes, quint16(Body.size()));
        FBytes += Body;
        return *this;
    }
    qsizetype Size() const { return FBytes.size(); }
    QByteArray& Bytes() { return FBytes; }

    static void U16(QByteArray& Out, quint16 Value) { Out += char(Value & 0xFF), Out += char(Value >> 8); }
    static void U32(QByteArray& Out, quint32 Value) { U16(Out, quint16(Value)), U16(Out, quint16(Value >> 16)); }
    static QByteArray Cell(quint16 Row, quint16 Column)
    {
        QByteArray Out;
        U16(Out, Row), U16(Out, Column), U16(Out, 0);
        return Out;
    }
    // A BIFF8 string of 8-bit characters: 16-bit length, flag byte, characters.
    static QByteArray Latin(const QByteArray& Text)
    {
        QByteArray Out;
        U16(Out, quint16(Text.size()));
        Out += char(0);
        return Out + Text;
    }
    // A BIFF8 string of UTF-16 characters.
    static QByteArray Utf16(const QString& Text)
    {
        QByteArray Out;
        U16(Out, quint16(Text.size()));
        Out += char(1);
        for (const QChar Char : Text)
            U16(Out, Char.unicode());
        return Out;
    }
    // A BIFF5 string: 16-bit length and the bytes in the workbook's code page.
    static QByteArray Narrow(const QByteArray& Bytes)
    {
        QByteArray Out;
        U16(Out, quint16(Bytes.size()));
        return Out + Bytes;
    }
    static QByteArray Double(double Value)
    {
        QByteArray Out(8, 0);
        std::memcpy(Out.data(), &Value, 8);
        return Out;
    }
    static QByteArray Bof(quint16 Version, quint16 Kind)
    {
        QByteArray Body;
        U16(Body, Version), U16(Body, Kind);
        Body += QByteArray(Version == Biff5 ? 4 : 12, 0);
        return Body;
    }

    // The shared string table, continued at string boundaries as Excel does when it
    // outgrows one record.
    static void SharedStrings(TBiff& Globals, const QStringList& Strings)
    {
        constexpr qsizetype MaximumBody = 8224;
        QByteArray Body;
        U32(Body, quint32(Strings.size())), U32(Body, quint32(Strings.size()));
        quint16 Type = 0x00FC;
        for (const QString& Text : Strings) {
            const QByteArray Entry = Utf16(Text);
            if (Body.size() + Entry.size() > MaximumBody) {
                Globals.Record(Type, Body);
                Type = 0x003C;
                Body.clear();
            }
            Body += Entry;
        }
        Globals.Record(Type, Body);
    }

    // A workbook of one chart sheet and one worksheet whose records are Sheet; both sheets
    // point at the worksheet, and only the second is a worksheet.
    static QByteArray Workbook(const std::function<void(TBiff&)>& Sheet, const std::function<void(TBiff&)>& Globals = {},
        quint16 Version = Biff8)
    {
        const auto Name = [Version](const QByteArray& Text) {
            QByteArray Out(1, char(Text.size()));
            if (Version == Biff8)
                Out += char(0);
            return Out + Text;
        };
        TBiff Global;
        Global.Record(0x0809, Bof(Version, 0x0005));
        QList<qsizetype> Positions;
        for (const auto& [Kind, Text] : {std::pair{char(2), QByteArray("Chart")}, std::pair{char(0), QByteArray("Sheet1")}}) {
            Positions << Global.Size() + 4;
            QByteArray BoundSheet;
            U32(BoundSheet, 0), BoundSheet += char(0), BoundSheet += Kind, BoundSheet += Name(Text);
            Global.Record(0x0085, BoundSheet);
        }
        if (Globals)
            Globals(Global);
        Global.Record(0x000A, {});

        TBiff Worksheet;
        Worksheet.Record(0x0809, Bof(Version, 0x0010));
        Sheet(Worksheet);
        Worksheet.Record(0x000A, {});

        QByteArray Stream = Global.Bytes();
        const quint32 Offset = quint32(Stream.size());
        Stream += Worksheet.Bytes();
        for (const qsizetype At : Positions)
            for (int Byte = 0; Byte < 4; ++Byte)
                Stream[At + Byte] = char((Offset >> (8 * Byte)) & 0xFF);
        return Stream;
    }

private:
    QByteArray FBytes;
};
