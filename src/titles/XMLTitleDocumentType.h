#pragma once

#include "XMLM_TitleObListType.h"
#include "XMLTitleNode.h"

// The TitleDocument root of a title file: the frame and the list of title objects.
// Get one from LoadTitleDocument() (TitleDocumentFile.h).
class TXMLTitleDocumentType : public TXMLTitleNode
{
public:
    using TXMLTitleNode::TXMLTitleNode;

    QString Version() const { return ChildText("Version"); }
    void SetVersion(const QString& Value) { SetChildText("Version", Value); }
    QString Author() const { return ChildText("Author"); }
    void SetAuthor(const QString& Value) { SetChildText("Author", Value); }
    QString CreateTime() const { return ChildText("CreateTime"); }
    void SetCreateTime(const QString& Value) { SetChildText("CreateTime", Value); }
    qint32 FrameSizeX() const { return ChildInteger("FrameSizeX"); }
    void SetFrameSizeX(qint32 Value) { SetChildInteger("FrameSizeX", Value); }
    qint32 FrameSizeY() const { return ChildInteger("FrameSizeY"); }
    void SetFrameSizeY(qint32 Value) { SetChildInteger("FrameSizeY", Value); }
    qint32 FrameAspectNumerator() const { return ChildInteger("FrameAspectNumerator"); }
    void SetFrameAspectNumerator(qint32 Value) { SetChildInteger("FrameAspectNumerator", Value); }
    qint32 FrameAspectDenominator() const { return ChildInteger("FrameAspectDenominator"); }
    void SetFrameAspectDenominator(qint32 Value) { SetChildInteger("FrameAspectDenominator", Value); }
    qint32 TitleType() const { return ChildInteger("TitleType"); }
    void SetTitleType(qint32 Value) { SetChildInteger("TitleType", Value); }
    qint32 RollPages() const { return ChildInteger("RollPages"); }
    void SetRollPages(qint32 Value) { SetChildInteger("RollPages", Value); }
    qint32 CrawlPages() const { return ChildInteger("CrawlPages"); }
    void SetCrawlPages(qint32 Value) { SetChildInteger("CrawlPages", Value); }

    TXMLM_TitleObListType M_TitleObList() const { return ChildNode<TXMLM_TitleObListType>("m_TitleObList"); }

    // The title object that the system fills and reads: the first of the first text
    // object. Others stay as the template has them.
    TXMLCCtsTitleObjectType TitleObject() const { return M_TitleObList().CCtsTextObject().CCtsTitleObject(); }
};
