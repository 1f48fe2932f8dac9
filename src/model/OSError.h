#pragma once

#include "Error.h"

// A failure of the file system or another operating-system service; the message
// names the file or directory and gives the system's reason.
class EOSError : public EError
{
public:
    using EError::EError;
};
