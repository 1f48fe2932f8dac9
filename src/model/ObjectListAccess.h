#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

class TClassInfo;
class TPersistent;

// Reaches a published list of owned objects: its element class, its entries, and a
// way to replace the whole list (the serializer builds a new list, then swaps it in).
struct TObjectListAccess
{
    const TClassInfo& (*ElementClass)() = nullptr;
    std::function<qsizetype(const TPersistent&)> Count;
    std::function<const TPersistent&(const TPersistent&, qsizetype)> Item;
    std::function<void(TPersistent&, std::vector<std::unique_ptr<TPersistent>>)> Replace;
};
