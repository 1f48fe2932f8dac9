#pragma once

#include <functional>

class TSubtitleItem;

// Called after each title file that the writer has saved, with the item holding that
// title's text, line count, directory and file name. May be empty.
using TTitleWrittenProc = std::function<void(TSubtitleItem& Item)>;
