#pragma once

#include "Alignment.h"
#include "AttributedObservableObject.h"
#include "Validation.h"

#include <QString>

// The box and output settings of one title; also the record of a generated title.
class TImmutableSubtitleItem : public TAttributedObservableObject, public IValidation
{
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    TAlignment BoxAlign() const { return FBoxAlign; }
    void SetBoxAlign(TAlignment Value) { SetField(FBoxAlign, Value, QStringLiteral("BoxAlign")); }
    qint32 BoxRelativeX() const { return FBoxRelativeX; }
    void SetBoxRelativeX(qint32 Value) { SetField(FBoxRelativeX, Value, QStringLiteral("BoxRelativeX")); }
    qint32 BoxRelativeY() const { return FBoxRelativeY; }
    void SetBoxRelativeY(qint32 Value) { SetField(FBoxRelativeY, Value, QStringLiteral("BoxRelativeY")); }
    qint32 BoxWidth() const { return FBoxWidth; }
    void SetBoxWidth(qint32 Value) { SetField(FBoxWidth, Value, QStringLiteral("BoxWidth")); }
    qint32 LineMaximum() const { return FLineMaximum; }
    void SetLineMaximum(qint32 Value) { SetField(FLineMaximum, Value, QStringLiteral("LineMaximum")); }
    QString SubtitleDirectory() const { return FSubtitleDirectory; }
    void SetSubtitleDirectory(const QString& Value) { SetField(FSubtitleDirectory, Value, QStringLiteral("SubtitleDirectory")); }
    QString SubtitleFileName() const { return FSubtitleFileName; }
    void SetSubtitleFileName(const QString& Value) { SetField(FSubtitleFileName, Value, QStringLiteral("SubtitleFileName")); }

    // The title file's name without its last extension.
    QString GetName() const override;
    QString Validate(const QString& PropertyName, const QString& ValueText) const override;

private:
    TAlignment FBoxAlign = taLeftJustify;
    qint32 FBoxRelativeX = 0;
    qint32 FBoxRelativeY = 0;
    qint32 FBoxWidth = 0;
    qint32 FLineMaximum = 0;
    QString FSubtitleDirectory;
    QString FSubtitleFileName;
};
