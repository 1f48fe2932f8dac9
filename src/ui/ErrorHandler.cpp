#include "ErrorHandler.h"

#include "Abort.h"
#include "MessageBox.h"

#include "model/Error.h"

#include <QCoreApplication>

#include <exception>
#include <new>

bool TErrorHandler::Run(QWidget* Parent, const std::function<void()>& Command) noexcept
{
    try {
        Command();
        return true;
    } catch (...) {
        ShowCurrentException(Parent);
        return false;
    }
}

void TErrorHandler::ShowCurrentException(QWidget* Parent) noexcept
{
    try {
        try {
            throw;
        } catch (const EAbort&) {
            return;
        } catch (...) {
            TMessageBox::Error(Parent, CurrentMessage());
        }
    } catch (...) {
        // Showing the box failed too (out of memory); nothing sensible is left to do
        // but to keep the application running.
    }
}

QString TErrorHandler::CurrentMessage()
{
    try {
        throw;
    } catch (const EError& Error) {
        return Error.Message();
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("TErrorHandler", "内存不足。");
    } catch (const std::exception& Error) {
        return QString::fromUtf8(Error.what());
    } catch (...) {
        return QCoreApplication::translate("TErrorHandler", "发生未知错误。");
    }
}
