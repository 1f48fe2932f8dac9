#pragma once

#include <QString>

class QWidget;

// The application's message boxes, captioned with the application title and modal
// over Parent's window (the active window when Parent is null).
class TMessageBox
{
public:
    static void Error(QWidget* Parent, const QString& Text);
    static void Information(QWidget* Parent, const QString& Text);
    // "操作成功.": a completed user-level operation.
    static void Success(QWidget* Parent);
};
