#pragma once

#include "XMLCCtsTitleObjectType.h"
#include "XMLTitleNode.h"

// A CCtsTextObject element: one text object of the title.
class TXMLCCtsTextObjectType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    TXMLCCtsTitleObjectType CCtsTitleObject() const { return ChildNode<TXMLCCtsTitleObjectType>("CCtsTitleObject"); }
};
