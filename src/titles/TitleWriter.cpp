#include "TitleWriter.h"

#include "AtomicFile.h"
#include "SubtitleMeasure.h"
#include "SubtitleWrapper.h"
#include "TitleDocumentFile.h"
#include "TitleFill.h"
#include "TitleOutputPath.h"
#include "TitlePlacement.h"
#include "TitleSplitter.h"
#include "TitleTemplate.h"

#include "model/OSError.h"
#include "model/SubtitleItem.h"

#include <QFileInfo>

namespace
{
// Text wrapped to the item's box, which the item takes with its line count; Block gets
// the wrapped text's measure, which places it.
QString LayOut(TSubtitleItem& Item, const QString& Text, const TLineUnits::TList& Units, TTextRect& Block)
{
    qint32 LineBreaks = 0;
    const QString Wrapped = TSubtitleWrapper::Wrap(&Item, Text, Units, LineBreaks);
    Block = TSubtitleMeasure::Block(&Item, Wrapped);
    Item.SetSubtitleContent(Wrapped);
    Item.SetSubtitleLineCount(LineBreaks + 1);
    return Wrapped;
}

// All that changes from one title of the same fill to the next: the text, then the
// placement's elements, looked up (and appended, when the template lacks them) in the
// order in which they are written.
std::vector<TXMLTitleNode> ChangingElements(const TXMLTitleDocumentType& Document)
{
    const TXMLCCtsTitleObjectType Title = Document.TitleObject();
    std::vector<TXMLTitleNode> Changing{Title.M_sTextElement()};
    for (const TXMLTitleNode& Element : TTitlePlacement::Elements(Title))
        Changing.push_back(Element);
    return Changing;
}

// The directory is looked at (and made when missing) only when the write fails: one look
// at the disk less for every title, as the directory nearly always exists.
void WriteTitle(const QString& Path, const QString& DirectorySetting, const QByteArray& Bytes)
{
    try {
        TAtomicFile::Write(Path, Bytes);
    } catch (const EOSError&) {
        const QString Directory = TTitleOutputPath::DirectoryPath(DirectorySetting);
        if (Directory.isEmpty() || QFileInfo(Directory).isDir())
            throw;
        TTitleOutputPath::PrepareDirectory(DirectorySetting);
        TAtomicFile::Write(Path, Bytes);
    }
}
} // namespace

TTitleWriter::TTitleWriter(const TSubtitleItemFactory& Factory, QDateTime Now)
    : FFactory(Factory)
    , FNow(std::move(Now))
{
}

void TTitleWriter::Write(TSubtitleItem& Item, TTitleTemplate& Template, const TTitleWrittenProc& OnWritten) const
{
    const TXMLTitleDocumentType Document = Template.Document();
    TTitleFill Fill = TTitleFill::Of(Item, FNow);
    if (Template.CurrentFill() != Fill) {
        // Forgotten first: a fill that fails halfway leaves the document holding neither.
        Template.SetCurrentFill(std::nullopt);
        Fill.WriteTo(Document);
        Template.SetCurrentFill(std::move(Fill));
    }
    const std::vector<TXMLTitleNode>& Changing = Template.Changing(ChangingElements);
    const TXMLTitleNode& Text = Changing.front();
    const std::span<const TXMLTitleNode> Placement = std::span(Changing).subspan(1);
    const QString FileName = Item.SubtitleFileName();
    // Resolved once: later titles of the call go to the directory of the first, even
    // though the item's directory setting then already names it.
    QString DirectorySetting;
    QString Directory;
    bool DirectoryReady = false;
    TTitleSplitter Splitter(FFactory, Item, Item.SubtitleContent());
    QString Accepted;
    TLineUnits::TList Units;
    for (qint32 Part = 1; Splitter.Next(Accepted, Units); ++Part) {
        TTextRect Block;
        Text.SetText(LayOut(Item, Accepted, Units, Block));
        TTitlePlacement::WriteTo(Placement, Item, Block);
        if (!DirectoryReady) {
            DirectorySetting = Item.SubtitleDirectory();
            Directory = TTitleOutputPath::DirectoryPath(DirectorySetting);
            DirectoryReady = true;
        }
        const QString Path = Directory + TTitleOutputPath::PartFileName(FileName, Part);
        QString PathDirectory;
        QString PathFileName;
        TTitleOutputPath::SplitPath(Path, PathDirectory, PathFileName);
        Item.SetSubtitleDirectory(PathDirectory);
        Item.SetSubtitleFileName(PathFileName);
        WriteTitle(Path, DirectorySetting, Template.TitleBytes());
        if (OnWritten)
            OnWritten(Item);
    }
}

// The text goes in after the placement here and before it in Write. The order matters
// only to a file that lacks those elements, which are appended in it; each keeps the
// order its files have always had.
void TTitleWriter::Rewrite(TSubtitleItem& Item, const QString& TitleFileName) const
{
    const TXMLTitleDocumentType Document = LoadTitleDocument(TitleFileName);
    TTitleFill::Of(Item, FNow).WriteTo(Document);
    TXMLCCtsTitleObjectType Title = Document.TitleObject();
    TTextRect Block;
    const QString Content = Item.SubtitleContent();
    TLineUnits::TList Units;
    TLineUnits::Split(Content, Units);
    const QString Text = LayOut(Item, Content, Units, Block);
    TTitlePlacement::WriteTo(Title, Item, Block);
    Title.SetM_sText(Text);
    const QString Path = TTitleOutputPath::PrepareDirectory(Item.SubtitleDirectory())
                       + TTitleOutputPath::TitleFileName(Item.SubtitleFileName());
    SaveTitleDocument(Document, Path);
}
