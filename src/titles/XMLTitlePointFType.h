#pragma once

#include "XMLTitleNode.h"

// The TitlePointF element. A point pair of a title object; kept from the template.
class TXMLTitlePointFType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    QString X1() const { return ChildText("X1"); }
    void SetX1(const QString& Value) { SetChildText("X1", Value); }
    QString Y1() const { return ChildText("Y1"); }
    void SetY1(const QString& Value) { SetChildText("Y1", Value); }
    QString X2() const { return ChildText("X2"); }
    void SetX2(const QString& Value) { SetChildText("X2", Value); }
    QString Y2() const { return ChildText("Y2"); }
    void SetY2(const QString& Value) { SetChildText("Y2", Value); }
};
