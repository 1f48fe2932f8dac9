#include "ApplicationDirectory.h"

#include "ProductInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace {

const QString AttributeFile = QStringLiteral("TypeAttributes.xml");
const QString TemplateFile = QStringLiteral("NuvexSubtitleMaker.xml");

bool HoldsDataFiles(const QString& Directory)
{
    return QFileInfo::exists(Directory + QLatin1Char('/') + AttributeFile)
        && QFileInfo::exists(Directory + QLatin1Char('/') + TemplateFile);
}

} // namespace

QString ExecutableDirectory()
{
    // /proc/self/exe works before (and without) a QCoreApplication exists, which the
    // command-line tool and the benchmarks rely on.
    std::error_code Error;
    const std::filesystem::path Executable = std::filesystem::read_symlink("/proc/self/exe", Error);
    if (!Error)
        return QFileInfo(QString::fromStdString(Executable.parent_path().string())).absoluteFilePath();
    return QCoreApplication::applicationDirPath();
}

QString UserDataDirectory()
{
    // Without an organisation name, AppDataLocation is the generic data folder followed by
    // the application name; composing it here keeps it independent of the application object.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
         + TProductInfo::MachineName();
}

QString FindDataDirectory(const QString& ExecutableDirectory)
{
    if (HoldsDataFiles(ExecutableDirectory))
        return ExecutableDirectory;
    const QString Installed = QDir::cleanPath(ExecutableDirectory + QStringLiteral("/" NUVEX_DATA_FROM_BIN));
    if (HoldsDataFiles(Installed))
        return Installed;
    return ExecutableDirectory;
}

QString ChooseApplicationDirectory(const QString& ExecutableDirectory, bool DataBesideExecutable,
                                   bool ExecutableDirectoryWritable, const QString& UserDataDirectory)
{
    return DataBesideExecutable && ExecutableDirectoryWritable ? ExecutableDirectory : UserDataDirectory;
}

QString DataDirectory()
{
    static const QString Directory = FindDataDirectory(ExecutableDirectory());
    return Directory;
}

QString AttributeFilePath()
{
    return DataDirectory() + QLatin1Char('/') + AttributeFile;
}

QString TemplateFilePath()
{
    return DataDirectory() + QLatin1Char('/') + TemplateFile;
}

QString ApplicationDirectory()
{
    static const QString Directory = [] {
        const QString Executable = ExecutableDirectory();
        const QString Chosen = ChooseApplicationDirectory(Executable, HoldsDataFiles(Executable),
                                                          QFileInfo(Executable).isWritable(), UserDataDirectory());
        // A folder that cannot be made is reported by whoever writes into it, naming it.
        for (const char* Folder : {"Projects", "Documents", "Titles"})
            QDir().mkpath(Chosen + QLatin1Char('/') + QLatin1String(Folder));
        return Chosen;
    }();
    return Directory;
}
