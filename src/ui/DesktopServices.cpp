#include "DesktopServices.h"

#include "model/Error.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace {

// A file manager started by D-Bus activation needs a moment before it answers; one that
// has not answered by then is taken as absent, and the folder is opened instead.
constexpr int FileManagerTimeout = 5000;

bool AskFileManager(const QString& Path, const QDBusConnection& Bus)
{
    if (!Bus.isConnected())
        return false;
    QDBusMessage Call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // File managers take URIs, percent-encoded like any other.
    Call << QStringList{QString::fromLatin1(QUrl::fromLocalFile(Path).toEncoded())} << QString();
    return Bus.call(Call, QDBus::Block, FileManagerTimeout).type() == QDBusMessage::ReplyMessage;
}

void OpenFolder(const QString& Folder)
{
    const QString Shown = QDir::toNativeSeparators(Folder);
    if (!QFileInfo(Folder).isDir())
        throw EError(QCoreApplication::translate("TDesktopServices", "无法打开文件夹 '%1'：文件夹不存在。").arg(Shown));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(Folder)))
        throw EError(QCoreApplication::translate("TDesktopServices", "无法打开文件夹 '%1'：桌面没有可以打开它的程序。").arg(Shown));
}

} // namespace

void TDesktopServices::OpenFile(const QString& Path)
{
    const QFileInfo File(Path);
    const QString Shown = QDir::toNativeSeparators(File.absoluteFilePath());
    if (!File.isFile())
        throw EError(QCoreApplication::translate("TDesktopServices", "无法打开文件 '%1'：文件不存在。").arg(Shown));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(File.absoluteFilePath())))
        throw EError(QCoreApplication::translate("TDesktopServices", "无法打开文件 '%1'：没有与此类文件关联的程序。").arg(Shown));
}

void TDesktopServices::ShowInFileManager(const QString& Path, const QDBusConnection& Bus)
{
    const QFileInfo File(Path);
    if (File.exists() && AskFileManager(File.absoluteFilePath(), Bus))
        return;
    OpenFolder(File.absolutePath());
}
