#pragma once

#include <QString>

#include <functional>

// Raised once per line, before the line is added; the handler sets Stop to end the load.
using TDocumentLoadEvent = std::function<void(const QString& Text, qint32 Index, qint32 Count, bool& Stop)>;
