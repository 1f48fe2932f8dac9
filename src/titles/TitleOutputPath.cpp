#include "TitleOutputPath.h"

#include "SubtitleText.h"

#include "model/OSError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace
{
constexpr QChar Separator = u'/';
const QString TitleExtension = QStringLiteral(".etl");

qsizetype ExtensionDot(const QString& FileName)
{
    const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
    return Dot > FileName.lastIndexOf(Separator) ? Dot : -1;
}
} // namespace

QString TTitleOutputPath::PrepareDirectory(const QString& SubtitleDirectory)
{
    const QString Directory = TSubtitleText::Trim(SubtitleDirectory);
    if (!Directory.isEmpty() && !QFileInfo(Directory).isDir()) {
        const QByteArray Encoded = QFile::encodeName(Directory);
        if (::mkdir(Encoded.constData(), 0777) != 0)
            throw EOSError(Directory + QStringLiteral("\r\n\r\n") + qt_error_string(errno));
    }
    return DirectoryPath(Directory);
}

QString TTitleOutputPath::DirectoryPath(const QString& SubtitleDirectory)
{
    QString Directory = TSubtitleText::Trim(SubtitleDirectory);
    if (!Directory.isEmpty() && !Directory.endsWith(Separator))
        Directory += Separator;
    return Directory;
}

QString TTitleOutputPath::ChangeFileExt(const QString& FileName, const QString& Extension)
{
    return RemoveFileExt(FileName) + Extension;
}

QString TTitleOutputPath::RemoveFileExt(const QString& FileName)
{
    const qsizetype Dot = ExtensionDot(FileName);
    return Dot < 0 ? FileName : FileName.left(Dot);
}

QString TTitleOutputPath::TitleFileName(const QString& FileName)
{
    return ChangeFileExt(FileName, TitleExtension);
}

QString TTitleOutputPath::PartFileName(const QString& FileName, qint32 Part)
{
    if (Part <= 1)
        return TitleFileName(FileName);
    return RemoveFileExt(FileName) + QLatin1Char('_') + QString::number(Part) + TitleExtension;
}

void TTitleOutputPath::SplitPath(const QString& Path, QString& Directory, QString& FileName)
{
    const qsizetype Last = Path.lastIndexOf(Separator);
    Directory = Path.left(Last + 1);
    FileName = Path.mid(Last + 1);
}
