#include "MessageBox.h"

#include "model/ProductInfo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

void Show(QWidget* Parent, QMessageBox::Icon Icon, const QString& Text)
{
    QWidget* Owner = Parent ? Parent->window() : QApplication::activeWindow();
    QMessageBox Box(Icon, TProductInfo::Title(), Text, QMessageBox::Ok, Owner);
    Box.exec();
}

} // namespace

void TMessageBox::Error(QWidget* Parent, const QString& Text)
{
    Show(Parent, QMessageBox::Critical, Text);
}

void TMessageBox::Information(QWidget* Parent, const QString& Text)
{
    Show(Parent, QMessageBox::Information, Text);
}

void TMessageBox::Success(QWidget* Parent)
{
    Information(Parent, QCoreApplication::translate("TMessageBox", "操作成功."));
}
