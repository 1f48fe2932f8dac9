#include "FileDialogFilter.h"

QStringList TFileDialogFilter::NameFilters(const QString& Filter)
{
    const QStringList Parts = Filter.split(QLatin1Char('|'));
    QStringList Result;
    for (qsizetype Part = 0; Part + 1 < Parts.size(); Part += 2) {
        QStringList Patterns = Parts[Part + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& Pattern : Patterns)
            if (Pattern == QLatin1String("*.*"))
                Pattern = QStringLiteral("*");
        const QString Listed = QLatin1Char('(') + Parts[Part + 1] + QLatin1Char(')');
        QString Description = Parts[Part];
        if (Description.endsWith(Listed))
            Description.chop(Listed.size());
        Result << Description.trimmed() + QStringLiteral(" (") + Patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return Result;
}
