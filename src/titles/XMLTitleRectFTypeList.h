#pragma once

#include "XMLTitleRectFType.h"

#include <QtGlobal>

#include <memory>
#include <pugixml.hpp>

// The TitleRectF elements of one CCtsTitleObject, in document order. Only TitleRectF
// children belong to the list; the object's other children are neither counted nor
// touched. Indexes are 0-based; an index out of range raises EError.
class TXMLTitleRectFTypeList
{
public:
    TXMLTitleRectFTypeList() = default;
    TXMLTitleRectFTypeList(std::shared_ptr<TTitleXmlDocument> Document, pugi::xml_node Owner);

    qsizetype Count() const;
    TXMLTitleRectFType Item(qsizetype Index) const;
    TXMLTitleRectFType operator[](qsizetype Index) const { return Item(Index); }

    // Appends a new empty TitleRectF as the owner's last child.
    TXMLTitleRectFType Add();
    // Inserts a new empty TitleRectF before the Index-th one; Index == Count() adds.
    TXMLTitleRectFType Insert(qsizetype Index);
    void Delete(qsizetype Index);
    // Removes Node when it is one of the list; returns its former index, or -1.
    qsizetype Remove(const TXMLTitleRectFType& Node);
    void Clear();

private:
    pugi::xml_node ElementAt(qsizetype Index) const; // null when out of range
    void CheckIndex(qsizetype Index, qsizetype Limit) const;

    std::shared_ptr<TTitleXmlDocument> FDocument;
    pugi::xml_node FOwner;
};
