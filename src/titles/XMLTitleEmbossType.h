#pragma once

#include "XMLTitleNode.h"

// The TitleEmboss element. Emboss settings; kept from the template.
class TXMLTitleEmbossType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    qint32 BEnable() const { return ChildInteger("bEnable"); }
    void SetBEnable(qint32 Value) { SetChildInteger("bEnable", Value); }
    qint32 BOutside() const { return ChildInteger("bOutside"); }
    void SetBOutside(qint32 Value) { SetChildInteger("bOutside", Value); }
    qint32 IFilter() const { return ChildInteger("iFilter"); }
    void SetIFilter(qint32 Value) { SetChildInteger("iFilter", Value); }
    qint32 ILightX() const { return ChildInteger("iLightX"); }
    void SetILightX(qint32 Value) { SetChildInteger("iLightX", Value); }
    qint32 ILightY() const { return ChildInteger("iLightY"); }
    void SetILightY(qint32 Value) { SetChildInteger("iLightY", Value); }
    qint32 ILightZ() const { return ChildInteger("iLightZ"); }
    void SetILightZ(qint32 Value) { SetChildInteger("iLightZ", Value); }
};
