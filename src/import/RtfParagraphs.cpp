#include "RtfParagraphs.h"

void TRtfParagraphs::AppendBytes(QByteArrayView Bytes, quint16 CodePage)
{
    if (CodePage != FBytesCodePage)
    {
        Flush();
        FBytesCodePage = CodePage;
    }
    FBytes += Bytes;
    FOpen = true;
    FAfterBreak = false;
}

void TRtfParagraphs::Append(char32_t Character)
{
    Flush();
    if (Character > 0xFFFF)
        FLine += QChar::fromUcs4(Character);
    else
        FLine += QChar(char16_t(Character));
    FOpen = true;
    FAfterBreak = false;
}

void TRtfParagraphs::EndParagraph()
{
    if (FAfterBreak)
        FAfterBreak = false;
    else
        Push();
}

void TRtfParagraphs::EndCell()
{
    FAfterBreak = false;
    Push();
}

void TRtfParagraphs::EndRow()
{
    FAfterBreak = false;
    Flush();
    if (FLine.isEmpty())
        FOpen = false;
    else
        Push();
}

void TRtfParagraphs::Break()
{
    Push();
    FAfterBreak = true;
}

QStringList TRtfParagraphs::Finish()
{
    Flush();
    if (FOpen)
        Push();
    return std::move(FLines);
}

void TRtfParagraphs::Flush()
{
    if (FBytes.isEmpty())
        return;
    auto Decoder = FDecoders.find(FBytesCodePage);
    if (Decoder == FDecoders.end())
        Decoder = FDecoders.emplace(FBytesCodePage, TCodePageDecoder(FBytesCodePage)).first;
    FLine += Decoder->second.Decode(FBytes);
    FBytes.resize(0); // keeps the buffer for the next run

}

void TRtfParagraphs::Push()
{
    Flush();
    FLines.append(FLine);
    FLine.clear();
    FOpen = false;
}
