#include "PageControlEx.h"

#include "TabBarEx.h"

TPageControlEx::TPageControlEx(QWidget* Parent)
    : QTabWidget(Parent)
    , FTabBar(new TTabBarEx(this))
{
    setTabBar(FTabBar);
    setDocumentMode(true);
    connect(FTabBar, &TTabBarEx::CloseMarkPressed, this, [this](int Index) { delete widget(Index); });
}

bool TPageControlEx::AllowDrag() const
{
    return FTabBar->AllowDrag();
}

void TPageControlEx::SetAllowDrag(bool Value)
{
    FTabBar->SetAllowDrag(Value);
}

bool TPageControlEx::ShowCloseButton() const
{
    return FTabBar->ShowCloseButton();
}

void TPageControlEx::SetShowCloseButton(bool Value)
{
    FTabBar->SetShowCloseButton(Value);
}

QColor TPageControlEx::TabStartColor() const
{
    return FTabBar->TabStartColor();
}

void TPageControlEx::SetTabStartColor(const QColor& Value)
{
    FTabBar->SetTabStartColor(Value);
}

QColor TPageControlEx::TabEndColor() const
{
    return FTabBar->TabEndColor();
}

void TPageControlEx::SetTabEndColor(const QColor& Value)
{
    FTabBar->SetTabEndColor(Value);
}

QColor TPageControlEx::SelectedTabStartColor() const
{
    return FTabBar->SelectedTabStartColor();
}

void TPageControlEx::SetSelectedTabStartColor(const QColor& Value)
{
    FTabBar->SetSelectedTabStartColor(Value);
}

QColor TPageControlEx::SelectedTabEndColor() const
{
    return FTabBar->SelectedTabEndColor();
}

void TPageControlEx::SetSelectedTabEndColor(const QColor& Value)
{
    FTabBar->SetSelectedTabEndColor(Value);
}

int TPageControlEx::TabWidth() const
{
    return FTabBar->TabWidth();
}

void TPageControlEx::SetTabWidth(int Value)
{
    FTabBar->SetTabWidth(Value);
}
