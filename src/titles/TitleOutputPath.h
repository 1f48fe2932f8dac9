#pragma once

#include <QString>

// Where the writer puts a title file.
class TTitleOutputPath
{
public:
    // The output directory for a SubtitleDirectory setting: trimmed; when it is not
    // empty and no such directory exists, created (one level, the parent must exist);
    // then ended with the separator. An empty setting stays empty: the current
    // directory. A failed creation raises EOSError with the message: the directory,
    // CR LF, CR LF, the system's reason.
    static QString PrepareDirectory(const QString& SubtitleDirectory);
    // The same directory without looking at the disk: trimmed, ended with the separator.
    static QString DirectoryPath(const QString& SubtitleDirectory);

    // Replaces the part from the last dot after the last separator by Extension
    // (".etl"), or appends Extension when the name has no such dot.
    static QString ChangeFileExt(const QString& FileName, const QString& Extension);
    // FileName without its extension (see ChangeFileExt).
    static QString RemoveFileExt(const QString& FileName);

    // FileName with the extension of title files, ".etl".
    static QString TitleFileName(const QString& FileName);
    // The file name of part Part of a title named FileName: part 1 is
    // TitleFileName(FileName); part i >= 2 is FileName without extension, "_", i, ".etl".
    static QString PartFileName(const QString& FileName, qint32 Part);

    // Splits Path after its last separator: Directory keeps the separator.
    static void SplitPath(const QString& Path, QString& Directory, QString& FileName);
};
