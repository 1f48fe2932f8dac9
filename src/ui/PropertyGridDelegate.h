#pragma once

#include "PropertyEditStyle.h"

#include <QStyledItemDelegate>

class TPropertyGrid;

// Paints every cell of the property grid, its title row included, and makes the value
// editors. The editors' key and focus events are routed to the grid, which alone
// decides when an edit is validated and written; Qt's own commit-on-focus-out and
// close-on-Enter handling is not used.
class TPropertyGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TPropertyGridDelegate(TPropertyGrid* Grid);

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    // The title row ("Property", "Value"), which the grid's header shows.
    void PaintTitleCell(QPainter* Painter, const QRect& Rect, int Column, const QString& Text) const;
    // The width of a key cell that shows Name whole, behind the gutter and its indent.
    int KeyCellWidth(const QString& Name) const;

    // The editor made next gets this style (the grid asks for it just before).
    void SetNextEditStyle(TPropertyEditStyle Style) { FNextEditStyle = std::move(Style); }
    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override;
    // Nothing: an edited value reaches the cell only after the objects accepted it.
    void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override;
    void updateEditorGeometry(QWidget* Editor, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

    static QString EditorText(const QWidget* Editor);
    static bool EditorModified(const QWidget* Editor);
    static void SetEditorText(QWidget* Editor, const QString& Text, bool Modified);
    // Selects the editor's whole text, so typing replaces the value.
    static void SelectAll(QWidget* Editor);

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override;

private:
    // Row 0 is the title row; Value is the value cell of a property row (its roles tell
    // the type and default), invalid for the title row.
    void PaintCell(QPainter* Painter, const QRect& Rect, int Column, int Row, const QString& Text,
                   const QModelIndex& Value) const;

    TPropertyGrid* FGrid;
    TPropertyEditStyle FNextEditStyle;
};
