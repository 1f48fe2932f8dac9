#include "ApplicationDirectory.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

QString ApplicationDirectory()
{
    // /proc/self/exe works before (and without) a QCoreApplication exists, which the
    // command-line tool and the benchmarks rely on.
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return QFileInfo(QString::fromStdString(executable.parent_path().string())).absoluteFilePath();
    return QCoreApplication::applicationDirPath();
}
