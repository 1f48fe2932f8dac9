#pragma once

#include <QtGlobal>

#include <functional>

// Progress of a generation run: the total and the 1-based position reached.
using TFactoryProgressEvent = std::function<void(qint32 Total, qint32 Position)>;
