#pragma once

#include "document/ToolbarLayout.h"

namespace divelog {

class RegisterSpec;

// The two toolbars every register has, built from its names: the list
// window's and the edit window's. Their allowed and default items are the
// same list.
class RegisterToolbars {
public:
    static const ToolbarLayout& list(const RegisterSpec& spec);
    static const ToolbarLayout& edit(const RegisterSpec& spec);
};

}  // namespace divelog
