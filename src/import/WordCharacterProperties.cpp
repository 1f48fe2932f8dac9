#include "WordCharacterProperties.h"

#include "WordSprms.h"

namespace
{
constexpr quint16 SprmDeleted = 0x0800; // sprmCFRMarkDel
constexpr quint16 SprmPlain = 0x2A33;   // sprmCPlain

// Word 6.0 and Word 95 codes.
constexpr quint8 Word6SprmDeleted = 65; // sprmCFStrikeRM, the deleted revision mark
constexpr quint8 Word6SprmStyle = 80;   // sprmCIstd
constexpr quint8 Word6SprmPlain = 83;   // sprmCPlain
constexpr quint8 Word6SprmFont = 93;    // sprmCFtc

// A toggle: 0 off, 1 on, 0x80 the style's value, 0x81 its opposite. Styles carry no
// revision marks, so the style's value is off.
bool Toggle(quint8 Operand) noexcept
{
    return Operand == 0x01 || Operand == 0x81;
}
} // namespace

void TWordCharacterProperties::Apply(QByteArrayView Grpprl, bool Word6)
{
    if (Grpprl.isEmpty())
        return;
    TWordSprms Sprms(Grpprl, Word6);
    while (Sprms.Next())
    {
        const quint16 Code = Sprms.Code();
        if (Code == (Word6 ? Word6SprmDeleted : SprmDeleted))
            Deleted = Toggle(Sprms.Byte());
        else if (Code == (Word6 ? Word6SprmPlain : SprmPlain))
        {
            // Back to the paragraph style's properties; revision marks stay.
            Font = None;
            Style = None;
        }
        else if (Word6 && Code == Word6SprmFont && Sprms.Operand().size() == 2)
            Font = Sprms.Word();
        else if (Word6 && Code == Word6SprmStyle && Sprms.Operand().size() == 2)
            Style = Sprms.Word();
    }
}
