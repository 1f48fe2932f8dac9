#include "SubtitleItemFactory.h"

#include "LocalSecondClock.h"
#include "SubtitleMeasure.h"
#include "SubtitleText.h"
#include "SubtitleWrapper.h"
#include "TitleReader.h"
#include "TitleTemplate.h"
#include "TitleWriter.h"
#include "UnicodeTextFile.h"

#include "model/SubtitleItem.h"

TSubtitleItemFactory::TSubtitleItemFactory(TClock Clock)
    : FClock(std::move(Clock))
{
    if (!FClock)
        FClock = TLocalSecondClock::Now;
}

TTextRect TSubtitleItemFactory::MeasureText(const TSubtitleItem* Item, QStringView Text) const
{
    return TSubtitleMeasure::Block(Item, Text);
}

QString TSubtitleItemFactory::WrapText(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks) const
{
    return TSubtitleWrapper::Wrap(Item, Text, LineBreaks);
}

qint32 TSubtitleItemFactory::WrappedLineBreaks(const TSubtitleItem* Item, const QString& Text) const
{
    return TSubtitleWrapper::LineBreaks(Item, Text);
}

void TSubtitleItemFactory::WriteSubtitles(TSubtitleItem& Item, const QString& TemplateFileName,
                                          const TTitleWrittenProc& OnWritten) const
{
    TTitleTemplate Template(TemplateFileName);
    WriteSubtitles(Item, Template, OnWritten);
}

void TSubtitleItemFactory::WriteSubtitles(TSubtitleItem& Item, TTitleTemplate& Template,
                                          const TTitleWrittenProc& OnWritten) const
{
    TTitleWriter(*this, FClock()).Write(Item, Template, OnWritten);
}

void TSubtitleItemFactory::RewriteSubtitle(TSubtitleItem& Item, const QString& TitleFileName) const
{
    TTitleWriter(*this, FClock()).Rewrite(Item, TitleFileName);
}

std::unique_ptr<TSubtitleItem> TSubtitleItemFactory::ReadSubtitle(const QString& TitleFileName) const
{
    return TTitleReader::Read(TitleFileName);
}

qint32 TSubtitleItemFactory::CountOccurrences(QStringView Part, QStringView Text)
{
    return TSubtitleText::CountOccurrences(Part, Text);
}

QString TSubtitleItemFactory::CopyToBlank(const QString& Text, qint32 Offset, qint32 Count, qint32& Position)
{
    return TSubtitleText::CopyToBlank(Text, Offset, Count, Position);
}

void TSubtitleItemFactory::SaveUnicodeText(QStringView Text, const QString& FileName)
{
    TUnicodeTextFile::Save(Text, FileName);
}
