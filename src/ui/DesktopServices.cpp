#include "DesktopServices.h"

#include "ErrorHandler.h"

#include "model/Error.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace {

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

void TDesktopServices::ShowInFileManager(const QString& Path, QWidget* Parent, const QDBusConnection& Bus,
                                         int Timeout)
{
    const QFileInfo File(Path);
    const QString Folder = File.absolutePath();
    if (!File.exists() || !Bus.isConnected()) {
        OpenFolder(Folder);
        return;
    }
    QDBusMessage Call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // File managers take URIs, percent-encoded like any other.
    Call << QStringList{QString::fromLatin1(QUrl::fromLocalFile(File.absoluteFilePath()).toEncoded())} << QString();
    // Owned by Parent: a page that goes first takes the unanswered request with it.
    auto* Answer = new QDBusPendingCallWatcher(Bus.asyncCall(Call, Timeout), Parent);
    QObject::connect(Answer, &QDBusPendingCallWatcher::finished, Answer, [Parent, Folder](QDBusPendingCallWatcher* Watcher) {
        Watcher->deleteLater();
        if (Watcher->isError())
            TErrorHandler::Run(Parent, [&Folder] { OpenFolder(Folder); });
    });
}
