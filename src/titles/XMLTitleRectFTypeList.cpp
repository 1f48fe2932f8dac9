#include "XMLTitleRectFTypeList.h"

#include "model/Error.h"

#include <cstring>

namespace
{
constexpr const char* ItemName = "TitleRectF";

bool IsItem(const pugi::xml_node& Node)
{
    return Node.type() == pugi::node_element && std::strcmp(Node.name(), ItemName) == 0;
}
} // namespace

TXMLTitleRectFTypeList::TXMLTitleRectFTypeList(std::shared_ptr<TTitleXmlDocument> Document, pugi::xml_node Owner)
    : FDocument(std::move(Document))
    , FOwner(Owner)
{
}

qsizetype TXMLTitleRectFTypeList::Count() const
{
    qsizetype Result = 0;
    for (pugi::xml_node Child = FOwner.first_child(); Child; Child = Child.next_sibling())
        if (IsItem(Child))
            ++Result;
    return Result;
}

pugi::xml_node TXMLTitleRectFTypeList::ElementAt(qsizetype Index) const
{
    if (Index < 0)
        return pugi::xml_node();
    for (pugi::xml_node Child = FOwner.first_child(); Child; Child = Child.next_sibling())
        if (IsItem(Child) && Index-- == 0)
            return Child;
    return pugi::xml_node();
}

void TXMLTitleRectFTypeList::CheckIndex(qsizetype Index, qsizetype Limit) const
{
    if (Index < 0 || Index > Limit)
        throw EError(QStringLiteral("TitleRectF 列表索引越界（%1）。").arg(Index));
}

TXMLTitleRectFType TXMLTitleRectFTypeList::Item(qsizetype Index) const
{
    const pugi::xml_node Node = ElementAt(Index);
    if (!Node)
        CheckIndex(Index, -1);
    return TXMLTitleRectFType(FDocument, Node);
}

TXMLTitleRectFType TXMLTitleRectFTypeList::Add()
{
    return TXMLTitleRectFType(FDocument, FOwner.append_child(ItemName));
}

TXMLTitleRectFType TXMLTitleRectFTypeList::Insert(qsizetype Index)
{
    const pugi::xml_node Before = ElementAt(Index);
    if (Before)
        return TXMLTitleRectFType(FDocument, FOwner.insert_child_before(ItemName, Before));
    CheckIndex(Index, Count());
    return Add();
}

void TXMLTitleRectFTypeList::Delete(qsizetype Index)
{
    const pugi::xml_node Node = ElementAt(Index);
    if (!Node)
        CheckIndex(Index, -1);
    FOwner.remove_child(Node);
}

qsizetype TXMLTitleRectFTypeList::Remove(const TXMLTitleRectFType& Node)
{
    qsizetype Index = 0;
    for (pugi::xml_node Child = FOwner.first_child(); Child; Child = Child.next_sibling()) {
        if (!IsItem(Child))
            continue;
        if (Child == Node.DOMNode()) {
            FOwner.remove_child(Child);
            return Index;
        }
        ++Index;
    }
    return -1;
}

void TXMLTitleRectFTypeList::Clear()
{
    pugi::xml_node Child = FOwner.first_child();
    while (Child) {
        const pugi::xml_node Next = Child.next_sibling();
        if (IsItem(Child))
            FOwner.remove_child(Child);
        Child = Next;
    }
}
