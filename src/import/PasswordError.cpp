#include "PasswordError.h"

EDocument TPasswordError::Missing(const QString& FileName)
{
    return EDocument(QStringLiteral("文件 '%1' 已加密，需要密码才能打开。").arg(FileName));
}

EDocument TPasswordError::Wrong(const QString& FileName)
{
    return EDocument(QStringLiteral("无法打开文件 '%1'：密码错误。").arg(FileName));
}
