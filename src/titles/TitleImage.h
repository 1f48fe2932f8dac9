#pragma once

#include "XMLTitleDocumentType.h"

#include <QByteArray>

#include <vector>

// The bytes of a title file (SaveTitleDocument's) for a document in which only a few
// elements change from one title to the next, such as the text and the placement. The
// document is printed once, with a mark in place of each of those elements' text, and
// cut into the pieces around them; every later title prints only those elements and
// puts them between the pieces. That gives the bytes a full print would give as long
// as nothing outside those elements has changed since the image was made.
//
// When an element cannot be marked (it holds anything but one text) or its mark is not
// found once and only once, the image keeps no pieces and every call prints in full.
class TTitleImage
{
public:
    TTitleImage(const TXMLTitleDocumentType& Document, std::vector<TXMLTitleNode> Changing);

    QByteArray Bytes() const;

    // Whether the document could be cut, so that Bytes prints only the changing elements.
    bool IsCut() const { return !FPieces.empty(); }

private:
    void Cut();

    TXMLTitleDocumentType FDocument;
    std::vector<TXMLTitleNode> FChanging; // in the order they appear in the file
    std::vector<QByteArray> FPieces;      // around the changing elements: one more than they
};
