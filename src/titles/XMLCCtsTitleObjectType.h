#pragma once

#include "XMLTitleBlurType.h"
#include "XMLTitleEdgeType.h"
#include "XMLTitleEmbossType.h"
#include "XMLTitleFillColorType.h"
#include "XMLTitleFontType.h"
#include "XMLTitleNode.h"
#include "XMLTitlePointFType.h"
#include "XMLTitleRectFTypeList.h"
#include "XMLTitleShadowType.h"

// The CCtsTitleObject element: the text of a title object, its font, fill, edge,
// shadow, blur, emboss and placement matrix. elements4 and elements5 are the block's
// horizontal and vertical offset in the frame.
class TXMLCCtsTitleObjectType : public TXMLTitleNode
{
public:
    TXMLCCtsTitleObjectType() = default;
    TXMLCCtsTitleObjectType(std::shared_ptr<TTitleXmlDocument> Document, pugi::xml_node Node)
        : TXMLTitleNode(Document, Node)
        , FTitleRectF(std::move(Document), Node)
    {
    }

    QString M_sText() const { return ChildText("m_sText"); }
    void SetM_sText(const QString& Value) { SetChildText("m_sText", Value); }
    TXMLTitleNode M_sTextElement() const { return Child("m_sText"); }
    QString M_sFontName() const { return ChildText("m_sFontName"); }
    void SetM_sFontName(const QString& Value) { SetChildText("m_sFontName", Value); }
    QString M_sFillTextureFilePath() const { return ChildText("m_sFillTextureFilePath"); }
    void SetM_sFillTextureFilePath(const QString& Value) { SetChildText("m_sFillTextureFilePath", Value); }
    QString M_sEdgeTextureFilePath() const { return ChildText("m_sEdgeTextureFilePath"); }
    void SetM_sEdgeTextureFilePath(const QString& Value) { SetChildText("m_sEdgeTextureFilePath", Value); }
    QString M_sImageFilePath() const { return ChildText("m_sImageFilePath"); }
    void SetM_sImageFilePath(const QString& Value) { SetChildText("m_sImageFilePath", Value); }
    qint32 DashStyle() const { return ChildInteger("dashStyle"); }
    void SetDashStyle(qint32 Value) { SetChildInteger("dashStyle", Value); }
    qint32 StartCap() const { return ChildInteger("startCap"); }
    void SetStartCap(qint32 Value) { SetChildInteger("startCap", Value); }
    qint32 EndCap() const { return ChildInteger("endCap"); }
    void SetEndCap(qint32 Value) { SetChildInteger("endCap", Value); }
    qint32 ESelect() const { return ChildInteger("eSelect"); }
    void SetESelect(qint32 Value) { SetChildInteger("eSelect", Value); }
    qint32 M_bRoundRectangle() const { return ChildInteger("m_bRoundRectangle"); }
    void SetM_bRoundRectangle(qint32 Value) { SetChildInteger("m_bRoundRectangle", Value); }
    qint32 M_bTransformRatioMode() const { return ChildInteger("m_bTransformRatioMode"); }
    void SetM_bTransformRatioMode(qint32 Value) { SetChildInteger("m_bTransformRatioMode", Value); }
    qint32 BMatrix() const { return ChildInteger("bMatrix"); }
    void SetBMatrix(qint32 Value) { SetChildInteger("bMatrix", Value); }

    TXMLTitleFontType TitleFont() const { return ChildNode<TXMLTitleFontType>("TitleFont"); }
    TXMLTitleFillColorType TitleFillColor() const { return ChildNode<TXMLTitleFillColorType>("TitleFillColor"); }
    TXMLTitleEdgeType TitleEdge() const { return ChildNode<TXMLTitleEdgeType>("TitleEdge"); }
    TXMLTitleShadowType TitleShadow() const { return ChildNode<TXMLTitleShadowType>("TitleShadow"); }
    TXMLTitleBlurType TitleBlur() const { return ChildNode<TXMLTitleBlurType>("TitleBlur"); }
    TXMLTitleEmbossType TitleEmboss() const { return ChildNode<TXMLTitleEmbossType>("TitleEmboss"); }

    QString Elements0() const { return ChildText("elements0"); }
    void SetElements0(const QString& Value) { SetChildText("elements0", Value); }
    QString Elements1() const { return ChildText("elements1"); }
    void SetElements1(const QString& Value) { SetChildText("elements1", Value); }
    QString Elements2() const { return ChildText("elements2"); }
    void SetElements2(const QString& Value) { SetChildText("elements2", Value); }
    QString Elements3() const { return ChildText("elements3"); }
    void SetElements3(const QString& Value) { SetChildText("elements3", Value); }
    QString Elements4() const { return ChildText("elements4"); }
    void SetElements4(const QString& Value) { SetChildText("elements4", Value); }
    QString Elements5() const { return ChildText("elements5"); }
    void SetElements5(const QString& Value) { SetChildText("elements5", Value); }

    // The object's TitleRectF collection, made with the node and held for its lifetime.
    TXMLTitleRectFTypeList TitleRectF() const { return FTitleRectF; }
    TXMLTitlePointFType TitlePointF() const { return ChildNode<TXMLTitlePointFType>("TitlePointF"); }

private:
    TXMLTitleRectFTypeList FTitleRectF;
};
