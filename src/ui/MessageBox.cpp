#include "MessageBox.h"

#include "model/ProductInfo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace {

void Show(QWidget* Parent, QMessageBox::Icon Icon, const QString& Text)
{
    QWidget* Owner = Parent ? Parent->window() : QApplication::activeWindow();
    // Owned by the window while it is open: should the window go first, it takes the
    // box with it, and the guard then has nothing left to free.
    const QPointer<QMessageBox> Box = new QMessageBox(Icon, TProductInfo::Title(), Text, QMessageBox::Ok, Owner);
    Box->exec();
    delete Box.data();
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
