#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

// Real sentences of the scripts our users write, shared by the readers' tests, the
// fuzzers' seeds and the benchmarks, so that a wrong code page shows; and text encoded in
// a code page, as a document of that code page holds it.
namespace Sentences
{
inline const QString Chinese = QStringLiteral("我们明天早上九点在车站见面。");
inline const QString Japanese = QStringLiteral("今日は雨が降っていますが、明日は晴れるでしょう。");
inline const QString Russian = QStringLiteral("Съешь же ещё этих мягких французских булок.");
inline const QString Czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy.");
inline const QString Greek = QStringLiteral("Ξεσκεπάζω την ψυχοφθόρα βδελυγμία.");

inline QByteArray Encode(const char* Codec, const QString& Text)
{
    QStringEncoder Encoder(Codec);
    if (!Encoder.isValid())
        qFatal("no encoder for %s", Codec);
    return Encoder.encode(Text);
}
} // namespace Sentences
