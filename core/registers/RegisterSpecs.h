#pragma once

#include "document/DocumentKind.h"

namespace divelog {

class RegisterSpec;

// The register of a document kind; null for the logbook and for the
// registers whose records this version does not know yet.
const RegisterSpec* registerSpec(DocumentKind kind);

}  // namespace divelog
