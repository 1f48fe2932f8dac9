#pragma once

#include <QColor>
#include <QString>

#include <cstdlib>

// Expected colours of the gradient controls, computed from their two colours.

// Channel by channel from Start at Offset 0 of a run of Length pixels towards End at
// Offset Length: each row (column) shows the colour at its leading edge.
inline QColor Interpolated(const QColor& Start, const QColor& End, int Offset, int Length)
{
    const auto Channel = [&](int From, int To) { return From + (To - From) * Offset / double(Length); };
    return QColor(qRound(Channel(Start.red(), End.red())), qRound(Channel(Start.green(), End.green())),
        qRound(Channel(Start.blue(), End.blue())));
}

inline bool Near(const QColor& Actual, const QColor& Wanted, int Tolerance)
{
    return std::abs(Actual.red() - Wanted.red()) <= Tolerance
        && std::abs(Actual.green() - Wanted.green()) <= Tolerance
        && std::abs(Actual.blue() - Wanted.blue()) <= Tolerance;
}

inline QString Describe(const QColor& Color)
{
    return QStringLiteral("%1,%2,%3").arg(Color.red()).arg(Color.green()).arg(Color.blue());
}
