#include "MenuStyle.h"

#include "InterfaceFont.h"
#include "MenuItemInfo.h"
#include "MenuItemPainter.h"
#include "PainterStateGuard.h"
#include "Palette.h"

#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionMenuItem>

#include <qdrawutil.h>

namespace {

// Room between the caption and the shortcut column; the menu adds the column's width itself.
constexpr int ShortcutGap = 20;
constexpr int FrameWidth = 1;

TMenuItemInfo ItemInfoOf(const QStyleOptionMenuItem& Option)
{
    TMenuItemInfo Info;
    // The menu hands over the caption and the shortcut's text as one, split at a tab.
    const qsizetype Tab = Option.text.indexOf(QLatin1Char('\t'));
    Info.Caption = Tab < 0 ? Option.text : Option.text.left(Tab);
    if (Tab >= 0)
        Info.Shortcut = Option.text.mid(Tab + 1);
    Info.Icon = Option.icon;
    Info.Enabled = Option.state.testFlag(QStyle::State_Enabled);
    Info.Separator = Option.menuItemType == QStyleOptionMenuItem::Separator;
    return Info;
}

} // namespace

TMenuStyle* TMenuStyle::Shared()
{
    // Owned by the application, so it outlives every menu; a test that makes a new
    // application object gets a new style with it.
    static QPointer<TMenuStyle> Instance;
    if (!Instance) {
        Instance = new TMenuStyle;
        Instance->setParent(qApp);
    }
    return Instance;
}

void TMenuStyle::Install(QMenu* Menu)
{
    TMenuStyle* Style = Shared();
    if (Menu->style() == Style)
        return;
    // The main window's menus drop down from tool buttons, which makes them context menus
    // to Qt, and some desktops hide the shortcuts of those.
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus, false);
    Menu->setStyle(Style);
    // A popup is a window of its own and does not take its parent's font.
    Menu->setFont(TInterfaceFont::Font(11));
    Menu->installEventFilter(Style);
    for (QAction* Action : Menu->actions())
        if (auto* SubMenu = Action->menu<QMenu*>())
            Install(SubMenu);
}

bool TMenuStyle::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::ActionAdded || Event->type() == QEvent::ActionChanged) {
        if (auto* SubMenu = static_cast<QActionEvent*>(Event)->action()->menu<QMenu*>())
            Install(SubMenu);
    }
    return QProxyStyle::eventFilter(Watched, Event);
}

void TMenuStyle::drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* Painter,
                               const QWidget* Widget) const
{
    switch (Element) {
    case PE_PanelMenu:
        Painter->fillRect(Option->rect, Palette::Base.Color());
        return;
    case PE_FrameMenu:
        qDrawPlainRect(Painter, Option->rect, Palette::Frame, FrameWidth);
        return;
    default:
        QProxyStyle::drawPrimitive(Element, Option, Painter, Widget);
    }
}

void TMenuStyle::drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                             const QWidget* Widget) const
{
    const auto* MenuItem = qstyleoption_cast<const QStyleOptionMenuItem*>(Option);
    if (Element == CE_MenuEmptyArea) {
        Painter->fillRect(Option->rect, Palette::Base.Color());
        return;
    }
    if (Element != CE_MenuItem || !MenuItem) {
        QProxyStyle::drawControl(Element, Option, Painter, Widget);
        return;
    }
    const TPainterStateGuard Guard(*Painter);
    Painter->setFont(MenuItem->font);
    // The item's column starts at x 0, inside the frame, as a desktop menu's client area
    // does, so the gutter and the caption keep their places in every column.
    Painter->translate(MenuItem->rect.left(), 0);
    TMenuItemPainter::DrawMenuItem(*Painter, MenuItem->rect.translated(-MenuItem->rect.left(), 0),
                                   ItemInfoOf(*MenuItem), MenuItem->state.testFlag(State_Selected));
}

QSize TMenuStyle::sizeFromContents(ContentsType Type, const QStyleOption* Option, const QSize& ContentsSize,
                                   const QWidget* Widget) const
{
    QSize Size = QProxyStyle::sizeFromContents(Type, Option, ContentsSize, Widget);
    const auto* MenuItem = qstyleoption_cast<const QStyleOptionMenuItem*>(Option);
    if (Type != CT_MenuItem || !MenuItem)
        return Size;
    const bool Separator = MenuItem->menuItemType == QStyleOptionMenuItem::Separator;
    Size.setHeight(TMenuItemPainter::ItemHeight(Separator));
    // The menu measures the caption into ContentsSize and adds the widest shortcut itself.
    if (!Separator)
        Size.setWidth(qMax(Size.width(), TMenuItemPainter::CaptionLeft + ContentsSize.width() + ShortcutGap
                                             + TMenuItemPainter::ShortcutRightMargin));
    return Size;
}

int TMenuStyle::pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const
{
    switch (Metric) {
    case PM_MenuPanelWidth:
        return FrameWidth;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    default:
        return QProxyStyle::pixelMetric(Metric, Option, Widget);
    }
}
