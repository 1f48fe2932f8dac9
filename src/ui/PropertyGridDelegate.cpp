#include "PropertyGridDelegate.h"

#include "EllipsisEdit.h"
#include "PainterStateGuard.h"
#include "Palette.h"
#include "PickListEdit.h"
#include "PropertyGrid.h"

#include "model/RTTI.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

namespace {

// Geometry of a cell, in pixels from its left edge: the fixed-colour gutter of the key
// column and the maroon line closing it, the text indents, the colour swatch.
constexpr int GutterWidth = 15;
constexpr int KeyIndent = 20;
constexpr int ValueIndent = 5;
constexpr int MarkerLeft = 4;
constexpr int MarkerRight = 11;
constexpr int MarkerInset = 6;
constexpr int SwatchLeft = 5;
constexpr int SwatchRight = 50;
constexpr int SwatchInset = 2;

} // namespace

TPropertyGridDelegate::TPropertyGridDelegate(TPropertyGrid* Grid)
    : QStyledItemDelegate(Grid)
    , FGrid(Grid)
{
}

void TPropertyGridDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    PaintCell(Painter, Option.rect, Index.column(), Index.row() + 1, Index.data(Qt::DisplayRole).toString(),
              Index.siblingAtColumn(1));
}

void TPropertyGridDelegate::PaintTitleCell(QPainter* Painter, const QRect& Rect, int Column, const QString& Text) const
{
    PaintCell(Painter, Rect, Column, 0, Text, QModelIndex());
}

int TPropertyGridDelegate::KeyCellWidth(const QString& Name) const
{
    // The names are painted in the grid's font, never bold; a value's indent keeps the
    // last letter off the column's line.
    return KeyIndent + QFontMetrics(FGrid->font()).horizontalAdvance(Name) + ValueIndent;
}

void TPropertyGridDelegate::PaintCell(QPainter* Painter, const QRect& Rect, int Column, int Row, const QString& Text,
                                      const QModelIndex& Value) const
{
    const TPainterStateGuard Guard(*Painter);
    Painter->setRenderHint(QPainter::Antialiasing, false);

    // Rect is inclusive; the geometry below counts like the forms do, with an exclusive
    // right and bottom edge.
    const int Left = Rect.left();
    const int Top = Rect.top();
    const int Right = Rect.left() + Rect.width();
    const int Bottom = Rect.top() + Rect.height();

    QFont Font = FGrid->font();
    Font.setBold(false);
    Font.setItalic(false);
    Font.setUnderline(false);
    QColor TextColor = Palette::InspectorText;

    const bool Fixed = Row == 0 || Column == 0;
    Painter->fillRect(Rect, Fixed ? Palette::InspectorFixed.Color() : FGrid->palette().color(QPalette::Base));

    int Indent = ValueIndent;
    bool DrawText = true;
    if (Column == 0) {
        Painter->fillRect(QRect(Left, Top, GutterWidth, Rect.height()), Palette::InspectorFixed.Color());
        Painter->setPen(QPen(Palette::InspectorText.Color(), 1));
        if (Row >= 1 && Row == FGrid->CurrentRow()) {
            const QPoint Points[] = {QPoint(Left + MarkerLeft, Top + MarkerInset),
                                     QPoint(Left + MarkerRight, Top + (Bottom - Top) / 2),
                                     QPoint(Left + MarkerLeft, Bottom - MarkerInset)};
            Painter->drawPolyline(Points, 3);
        }
        Painter->drawLine(Left + GutterWidth, Top, Left + GutterWidth, Bottom - 1);
        Indent = KeyIndent;
    } else if (Row >= 1 && !Text.isEmpty() && Value.isValid()) {
        if (Value.data(TPropertyGrid::TypeNameRole).toString() == QLatin1String("TColor")) {
            qint32 Colour = 0;
            if (!TRTTI::TryParseInteger(Text, Colour))
                Colour = 0;
            Painter->setPen(QPen(Qt::black, 1));
            Painter->setBrush(QColorOf(Colour));
            Painter->drawRect(QRect(QPoint(Left + SwatchLeft, Top + SwatchInset),
                                    QPoint(Left + SwatchRight - 2, Bottom - SwatchInset - 2)));
            DrawText = false;
        } else {
            const QVariant Default = Value.data(TPropertyGrid::DefaultValueRole);
            if (Default.isValid() && Text != Default.toString()) {
                Font.setBold(true);
                TextColor = Palette::ChangedValue;
            }
        }
    }

    if (DrawText) {
        Painter->setFont(Font);
        Painter->setPen(TextColor);
        Painter->drawText(QRect(QPoint(Left + Indent, Top), QPoint(Right - Indent - 1, Bottom - 1)),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, Text);
    }

    // The grid shows vertical lines between the columns of the property rows only.
    if (Row >= 1) {
        QStyleOptionViewItem Option;
        Option.initFrom(FGrid);
        const QColor Line = QColor::fromRgba(
            QRgb(FGrid->style()->styleHint(QStyle::SH_Table_GridLineColor, &Option, FGrid)));
        Painter->setPen(QPen(Line, 1));
        Painter->drawLine(Right - 1, Top, Right - 1, Bottom - 1);
    }
}

QWidget* TPropertyGridDelegate::createEditor(QWidget* Parent, const QStyleOptionViewItem& /*Option*/,
                                             const QModelIndex& /*Index*/) const
{
    QWidget* Editor = nullptr;
    switch (FNextEditStyle.Kind) {
    case TPropertyEditStyle::TKind::PickList:
        Editor = new TPickListEdit(FNextEditStyle.PickList, Parent);
        break;
    case TPropertyEditStyle::TKind::Ellipsis: {
        auto* Edit = new TEllipsisEdit(Parent);
        connect(Edit, &TEllipsisEdit::ButtonClicked, FGrid, &TPropertyGrid::EditButtonClicked);
        Editor = Edit;
        break;
    }
    case TPropertyEditStyle::TKind::Plain: {
        auto* Edit = new QLineEdit(Parent);
        Edit->setFrame(false);
        Editor = Edit;
        break;
    }
    }
    Editor->setObjectName(QStringLiteral("edValue"));
    Editor->setFont(FGrid->font());
    // Opaque, so the painted cell underneath does not show through.
    Editor->setAutoFillBackground(true);
    return Editor;
}

void TPropertyGridDelegate::setEditorData(QWidget* Editor, const QModelIndex& Index) const
{
    SetEditorText(Editor, Index.data(Qt::DisplayRole).toString(), false);
}

void TPropertyGridDelegate::setModelData(QWidget* /*Editor*/, QAbstractItemModel* /*Model*/,
                                         const QModelIndex& /*Index*/) const
{
}

void TPropertyGridDelegate::updateEditorGeometry(QWidget* Editor, const QStyleOptionViewItem& Option,
                                                 const QModelIndex& /*Index*/) const
{
    Editor->setGeometry(Option.rect);
}

QString TPropertyGridDelegate::EditorText(const QWidget* Editor)
{
    if (const auto* PickList = qobject_cast<const TPickListEdit*>(Editor))
        return PickList->Text();
    if (const auto* Line = qobject_cast<const QLineEdit*>(Editor))
        return Line->text();
    return {};
}

bool TPropertyGridDelegate::EditorModified(const QWidget* Editor)
{
    if (const auto* PickList = qobject_cast<const TPickListEdit*>(Editor))
        return PickList->Modified();
    if (const auto* Line = qobject_cast<const QLineEdit*>(Editor))
        return Line->isModified();
    return false;
}

void TPropertyGridDelegate::SetEditorText(QWidget* Editor, const QString& Text, bool Modified)
{
    if (auto* PickList = qobject_cast<TPickListEdit*>(Editor)) {
        PickList->SetText(Text);
        PickList->SetModified(Modified);
    } else if (auto* Line = qobject_cast<QLineEdit*>(Editor)) {
        if (Line->text() != Text)
            Line->setText(Text);
        Line->setModified(Modified);
    }
}

void TPropertyGridDelegate::SelectAll(QWidget* Editor)
{
    if (auto* PickList = qobject_cast<TPickListEdit*>(Editor))
        PickList->lineEdit()->selectAll();
    else if (auto* Line = qobject_cast<QLineEdit*>(Editor))
        Line->selectAll();
}

bool TPropertyGridDelegate::eventFilter(QObject* Object, QEvent* Event)
{
    if (!FGrid->Editor() || Object != FGrid->Editor())
        return false;
    switch (Event->type()) {
    case QEvent::KeyPress: {
        const auto* Key = static_cast<QKeyEvent*>(Event);
        switch (Key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if ((Key->modifiers() & Qt::ControlModifier) && qobject_cast<TEllipsisEdit*>(FGrid->Editor()))
                FGrid->EditButtonClicked();
            else
                FGrid->CommitEditor();
            return true;
        case Qt::Key_Escape:
            FGrid->RevertEditor();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            // Alt+Down drops a pick list down; plain arrows move between rows.
            if (Key->modifiers() & Qt::AltModifier)
                return false;
            FGrid->MoveCurrentRow(Key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            FGrid->LeaveByTab(Key->key() == Qt::Key_Tab && !(Key->modifiers() & Qt::ShiftModifier));
            return true;
        default:
            return false;
        }
    }
    case QEvent::FocusOut:
        FGrid->EditorFocusOut(static_cast<QFocusEvent*>(Event)->reason());
        return false;
    default:
        return false;
    }
}
