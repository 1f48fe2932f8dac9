#pragma once

#include "XMLTitleNode.h"

// The TitleBlur element. Blur settings; kept from the template.
class TXMLTitleBlurType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    qint32 BEnable() const { return ChildInteger("bEnable"); }
    void SetBEnable(qint32 Value) { SetChildInteger("bEnable", Value); }
    qint32 IFillEdgeBlur() const { return ChildInteger("iFillEdgeBlur"); }
    void SetIFillEdgeBlur(qint32 Value) { SetChildInteger("iFillEdgeBlur", Value); }
    qint32 IEdgeBlur() const { return ChildInteger("iEdgeBlur"); }
    void SetIEdgeBlur(qint32 Value) { SetChildInteger("iEdgeBlur", Value); }
    qint32 IShadowBlur() const { return ChildInteger("iShadowBlur"); }
    void SetIShadowBlur(qint32 Value) { SetChildInteger("iShadowBlur", Value); }
};
