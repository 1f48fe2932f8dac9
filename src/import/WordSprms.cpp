#include "WordSprms.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace
{
constexpr quint16 SprmTableDefinition = 0xD608; // sprmTDefTable, a 16-bit length
constexpr quint16 SprmChangeTabs = 0xC615;      // sprmPChgTabs, a length of 255 means "count it"
constexpr quint8 Word6SprmChangeTabs = 23;      // sprmPChgTabs, as above

constexpr qint8 Variable = -1;     // a length byte comes first
constexpr qint8 LongVariable = -2; // a 16-bit length, one more than the operand

struct TSizeRange
{
    quint8 First;
    quint8 Last;
    qint8 Size;
};

constexpr TSizeRange Word6FixedSizes[] = {{0, 0, 0}, {2, 2, 2}, {4, 11, 1}, {13, 14, 1}, {16, 19, 2}, {20, 20, 4},
    {21, 22, 2}, {24, 25, 1}, {26, 28, 2}, {29, 29, 1}, {30, 36, 2}, {37, 37, 1}, {38, 43, 2}, {44, 44, 1},
    {45, 49, 2}, {50, 51, 1}, {52, 52, 0}, {65, 67, 1}, {69, 69, 2}, {70, 70, 4}, {71, 71, 1}, {72, 72, 2},
    {73, 73, 3}, {75, 75, 1}, {80, 80, 2}, {83, 83, 0}, {85, 92, 1}, {93, 93, 2}, {94, 94, 1}, {95, 95, 3},
    {96, 97, 2}, {98, 98, 1}, {99, 99, 2}, {100, 100, 1}, {101, 101, 2}, {102, 102, 1}, {104, 104, 1},
    {107, 107, 2}, {109, 110, 2}, {117, 119, 1}, {121, 124, 2}, {131, 132, 1}, {136, 137, 3}, {138, 139, 1},
    {140, 141, 2}, {142, 143, 1}, {144, 145, 2}, {146, 147, 1}, {148, 149, 2}, {150, 153, 1}, {154, 157, 2},
    {158, 159, 1}, {160, 161, 2}, {162, 162, 1}, {163, 163, 0}, {164, 171, 2}, {182, 184, 2}, {185, 186, 1},
    {187, 187, 12}, {189, 189, 2}, {190, 190, LongVariable}, {192, 192, 4}, {193, 193, 5}, {194, 194, 4},
    {195, 195, 2}, {196, 196, 4}, {197, 198, 2}, {199, 199, 5}, {200, 200, 4}};

// Codes missing from the table are of variable length, as every code Word 6.0 added late is.
constexpr std::array<qint8, 256> Word6OperandSizes = [] {
    std::array<qint8, 256> Sizes{};
    Sizes.fill(Variable);
    for (const TSizeRange& Range : Word6FixedSizes)
        for (int Sprm = Range.First; Sprm <= Range.Last; ++Sprm)
            Sizes[Sprm] = Range.Size;
    return Sizes;
}();

// The size of a counted tab change from Start: deleted tabs (positions and close zones),
// then added tabs (positions and kinds); -1 when Data ends before its counts.
qsizetype CountedTabsSize(QByteArrayView Data, qsizetype Start)
{
    if (Start >= Data.size())
        return -1;
    const qsizetype Added = Start + 1 + qsizetype(static_cast<quint8>(Data[Start])) * 4;
    if (Added >= Data.size())
        return -1;
    return Added + 1 + qsizetype(static_cast<quint8>(Data[Added])) * 3 - Start;
}
} // namespace

TWordSprms::TWordSprms(QByteArrayView Grpprl, bool Word6) noexcept
    : FGrpprl(Grpprl)
    , FWord6(Word6)
{
}

bool TWordSprms::Next() noexcept
{
    qsizetype Position = FPosition;
    const qsizetype CodeSize = FWord6 ? 1 : 2;
    if (Position + CodeSize > FGrpprl.size())
        return false;
    FCode = FWord6 ? static_cast<quint8>(FGrpprl[Position]) : qFromLittleEndian<quint16>(FGrpprl.data() + Position);
    Position += CodeSize;
    const qsizetype Size = FWord6 ? Word6OperandSize(Position) : OperandSize(Position);
    if (Size < 0 || Size > FGrpprl.size() - Position)
    {
        FPosition = FGrpprl.size();
        return false;
    }
    FOperand = FGrpprl.sliced(Position, Size);
    FPosition = Position + Size;
    return true;
}

quint8 TWordSprms::Byte() const noexcept
{
    return FOperand.isEmpty() ? 0 : static_cast<quint8>(FOperand[0]);
}

quint16 TWordSprms::Word() const noexcept
{
    return FOperand.size() < 2 ? 0 : qFromLittleEndian<quint16>(FOperand.data());
}

qsizetype TWordSprms::OperandSize(qsizetype& Position) const noexcept
{
    // The kind of operand is in the top three bits of the code.
    switch (FCode >> 13)
    {
    case 0:
    case 1:
        return 1;
    case 2:
    case 4:
    case 5:
        return 2;
    case 3:
        return 4;
    case 7:
        return 3;
    default:
        break;
    }
    if (FCode == SprmTableDefinition)
    {
        if (Position + 2 > FGrpprl.size())
            return -1;
        const quint16 Size = qFromLittleEndian<quint16>(FGrpprl.data() + Position);
        Position += 2;
        return Size == 0 ? 0 : Size - 1;
    }
    if (Position >= FGrpprl.size())
        return -1;
    const quint8 Size = static_cast<quint8>(FGrpprl[Position++]);
    return FCode == SprmChangeTabs && Size == 255 ? CountedTabsSize(FGrpprl, Position) : Size;
}

qsizetype TWordSprms::Word6OperandSize(qsizetype& Position) const noexcept
{
    const qsizetype Size = Word6OperandSizes[FCode];
    if (Size == Variable)
    {
        if (Position >= FGrpprl.size())
            return -1;
        const quint8 Length = static_cast<quint8>(FGrpprl[Position++]);
        return FCode == Word6SprmChangeTabs && Length == 255 ? CountedTabsSize(FGrpprl, Position) : Length;
    }
    if (Size == LongVariable)
    {
        if (Position + 2 > FGrpprl.size())
            return -1;
        const qsizetype Length = std::max(qFromLittleEndian<quint16>(FGrpprl.data() + Position) - 1, 0);
        Position += 2;
        return Length;
    }
    return Size;
}
