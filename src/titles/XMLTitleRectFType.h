#pragma once

#include "XMLTitleNode.h"

// The TitleRectF element. One rectangle of a title object; kept from the template.
class TXMLTitleRectFType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    QString X() const { return ChildText("X"); }
    void SetX(const QString& Value) { SetChildText("X", Value); }
    QString Y() const { return ChildText("Y"); }
    void SetY(const QString& Value) { SetChildText("Y", Value); }
    QString Width() const { return ChildText("Width"); }
    void SetWidth(const QString& Value) { SetChildText("Width", Value); }
    QString Height() const { return ChildText("Height"); }
    void SetHeight(const QString& Value) { SetChildText("Height", Value); }
};
