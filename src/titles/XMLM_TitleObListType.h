#pragma once

#include "XMLCCtsTextObjectType.h"
#include "XMLTitleNode.h"

// The m_TitleObList element: the title's objects. The system works on the first text
// object only; further ones stay as they are.
class TXMLM_TitleObListType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    TXMLCCtsTextObjectType CCtsTextObject() const { return ChildNode<TXMLCCtsTextObjectType>("CCtsTextObject"); }
};
