#include "FontSubstitution.h"

#include "FontMeasure.h"

#include <QFont>
#include <QFontInfo>
#include <QHash>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>

namespace
{
// Any size serves: the installed faces are scalable, and a face is chosen by its name.
constexpr int LookupPixelSize = 64;

template <class T, void (*Destroy)(T*)>
struct TFcDeleter
{
    void operator()(T* Object) const { Destroy(Object); }
};
using TFcPattern = std::unique_ptr<FcPattern, TFcDeleter<FcPattern, FcPatternDestroy>>;
using TFcObjectSet = std::unique_ptr<FcObjectSet, TFcDeleter<FcObjectSet, FcObjectSetDestroy>>;
using TFcFontSet = std::unique_ptr<FcFontSet, TFcDeleter<FcFontSet, FcFontSetDestroy>>;

bool HasValue(FcPattern* Face, const char* Object, const QString& Name)
{
    FcChar8* Value = nullptr;
    for (int Index = 0; FcPatternGetString(Face, Object, Index, &Value) == FcResultMatch; ++Index) {
        if (QString::fromUtf8(reinterpret_cast<const char*>(Value)).compare(Name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Whether one installed face carries both FontName and the family and style of the
// face that Qt measures with. fontconfig's own listing also matches names that differ
// in blanks, which Windows would not, so the names are compared here once more.
bool MeasuredFaceCarries(const QString& FontName, const QFontInfo& Measured)
{
    const TFcPattern Pattern(FcPatternCreate());
    const TFcObjectSet Objects(FcObjectSetBuild(FC_FAMILY, FC_STYLE, static_cast<char*>(nullptr)));
    if (!Pattern || !Objects
        || !FcPatternAddString(Pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(FontName.toUtf8().constData())))
        return false;
    const TFcFontSet Faces(FcFontList(nullptr, Pattern.get(), Objects.get()));
    if (!Faces)
        return false;
    for (int Index = 0; Index < Faces->nfont; ++Index) {
        FcPattern* Face = Faces->fonts[Index];
        if (HasValue(Face, FC_FAMILY, FontName) && HasValue(Face, FC_FAMILY, Measured.family())
            && (Measured.styleName().isEmpty() || HasValue(Face, FC_STYLE, Measured.styleName())))
            return true;
    }
    return false;
}

QString LookUp(const QString& FontName)
{
    const QFontInfo Measured(TFontMeasure::MeasuringFont(FontName, LookupPixelSize));
    if (!FontName.isEmpty() && MeasuredFaceCarries(FontName, Measured))
        return QString();
    const QString Style = Measured.styleName();
    // The family alone names its regular face; another style is named with it.
    if (Style.isEmpty() || Style.compare(QLatin1String("Regular"), Qt::CaseInsensitive) == 0)
        return Measured.family();
    return Measured.family() + QLatin1Char(' ') + Style;
}

} // namespace

QString TFontSubstitution::SubstituteFor(const QString& FontName)
{
    static std::mutex Guard;
    static QHash<QString, QString> Known;
    const std::lock_guard Lock(Guard);
    const auto Found = Known.constFind(FontName);
    if (Found != Known.constEnd())
        return *Found;
    return *Known.insert(FontName, LookUp(FontName));
}
