#include "InterfaceFont.h"

#include <QFontDatabase>
#include <QStringList>

QFont TInterfaceFont::Font(int PixelSize)
{
    static const bool HasTahoma = QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive);
    QFont Result = HasTahoma ? QFont(QStringLiteral("Tahoma")) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    Result.setPixelSize(PixelSize);
    return Result;
}
