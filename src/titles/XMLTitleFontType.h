#pragma once

#include "XMLTitleNode.h"

// The TitleFont element. The font settings of a title object.
class TXMLTitleFontType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    qint32 ISize() const { return ChildInteger("iSize"); }
    void SetISize(qint32 Value) { SetChildInteger("iSize", Value); }
    qint32 BVertical() const { return ChildInteger("bVertical"); }
    void SetBVertical(qint32 Value) { SetChildInteger("bVertical", Value); }
    qint32 BBold() const { return ChildInteger("bBold"); }
    void SetBBold(qint32 Value) { SetChildInteger("bBold", Value); }
    qint32 BItalic() const { return ChildInteger("bItalic"); }
    void SetBItalic(qint32 Value) { SetChildInteger("bItalic", Value); }
    qint32 BUnderline() const { return ChildInteger("bUnderline"); }
    void SetBUnderline(qint32 Value) { SetChildInteger("bUnderline", Value); }
    qint32 BAutoFontSize() const { return ChildInteger("bAutoFontSize"); }
    void SetBAutoFontSize(qint32 Value) { SetChildInteger("bAutoFontSize", Value); }
    qint32 ICharSpace() const { return ChildInteger("iCharSpace"); }
    void SetICharSpace(qint32 Value) { SetChildInteger("iCharSpace", Value); }
    QString ILineSpace() const { return ChildText("iLineSpace"); }
    void SetILineSpace(const QString& Value) { SetChildText("iLineSpace", Value); }
    qint32 IAlignment() const { return ChildInteger("iAlignment"); }
    void SetIAlignment(qint32 Value) { SetChildInteger("iAlignment", Value); }
};
