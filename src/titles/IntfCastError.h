#pragma once

#include "model/Error.h"

// A document that is well-formed XML but not a title document: its root element is
// not TitleDocument. The message is the fixed text "Interface not supported".
class EIntfCastError : public EError
{
public:
    using EError::EError;
};
