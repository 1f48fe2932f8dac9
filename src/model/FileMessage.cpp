#include "FileMessage.h"

QString TFileMessage::CannotOpen(const QString& FileName, const QString& Reason)
{
    return QStringLiteral("无法打开文件 '%1'：%2。").arg(FileName, Reason);
}

QString TFileMessage::CannotRead(const QString& FileName, const QString& Reason)
{
    return QStringLiteral("无法读取文件 '%1'：%2。").arg(FileName, Reason);
}

QString TFileMessage::CannotWrite(const QString& FileName, const QString& Reason)
{
    return QStringLiteral("无法写入文件 '%1'：%2。").arg(FileName, Reason);
}
