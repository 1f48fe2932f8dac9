#pragma once

#include "XMLTitleNode.h"

// The TitleShadow element. The shadow of the text; the system keeps it as the template has it.
class TXMLTitleShadowType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    qint32 BEnable() const { return ChildInteger("bEnable"); }
    void SetBEnable(qint32 Value) { SetChildInteger("bEnable", Value); }
    QString FWidthHard() const { return ChildText("fWidthHard"); }
    void SetFWidthHard(const QString& Value) { SetChildText("fWidthHard", Value); }
    QString FWidthSoft() const { return ChildText("fWidthSoft"); }
    void SetFWidthSoft(const QString& Value) { SetChildText("fWidthSoft", Value); }
    qint32 IColorNum() const { return ChildInteger("iColorNum"); }
    void SetIColorNum(qint32 Value) { SetChildInteger("iColorNum", Value); }
    QString Color0() const { return ChildText("color0"); }
    void SetColor0(const QString& Value) { SetChildText("color0", Value); }
    QString Color1() const { return ChildText("color1"); }
    void SetColor1(const QString& Value) { SetChildText("color1", Value); }
    QString Color2() const { return ChildText("color2"); }
    void SetColor2(const QString& Value) { SetChildText("color2", Value); }
    QString Color3() const { return ChildText("color3"); }
    void SetColor3(const QString& Value) { SetChildText("color3", Value); }
    QString Color4() const { return ChildText("color4"); }
    void SetColor4(const QString& Value) { SetChildText("color4", Value); }
    QString Color5() const { return ChildText("color5"); }
    void SetColor5(const QString& Value) { SetChildText("color5", Value); }
    QString Color6() const { return ChildText("color6"); }
    void SetColor6(const QString& Value) { SetChildText("color6", Value); }
    qint32 IOffsetX() const { return ChildInteger("iOffsetX"); }
    void SetIOffsetX(qint32 Value) { SetChildInteger("iOffsetX", Value); }
    qint32 IOffsetY() const { return ChildInteger("iOffsetY"); }
    void SetIOffsetY(qint32 Value) { SetChildInteger("iOffsetY", Value); }
    QString FDirection() const { return ChildText("fDirection"); }
    void SetFDirection(const QString& Value) { SetChildText("fDirection", Value); }
};
