#pragma once

#include <QByteArrayView>

// The property modifiers of a Word document's property list (a grpprl) one by one: a
// code and its operand. Word 97-2003 codes take two bytes and tell the size of their
// operand; Word 6.0 and Word 95 codes take one byte, and only a table tells the size.
class TWordSprms
{
public:
    TWordSprms(QByteArrayView Grpprl, bool Word6) noexcept;

    // Steps to the next modifier. False at the end of the list, and where a modifier would
    // run past it: a modifier measured wrongly ends the list rather than failing a
    // readable document.
    bool Next() noexcept;

    quint16 Code() const noexcept { return FCode; }
    QByteArrayView Operand() const noexcept { return FOperand; }
    // The first byte of the operand, 0 when it has none.
    quint8 Byte() const noexcept;
    // The first two bytes of the operand, 0 when it has fewer.
    quint16 Word() const noexcept;

private:
    qsizetype OperandSize(qsizetype& Position) const noexcept;
    qsizetype Word6OperandSize(qsizetype& Position) const noexcept;

    QByteArrayView FGrpprl;
    bool FWord6;
    qsizetype FPosition = 0;
    quint16 FCode = 0;
    QByteArrayView FOperand;
};
