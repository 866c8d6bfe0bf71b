#pragma once

#include "document/DocumentKind.h"

namespace divelog {

class RegisterSpec;

// The register of a document kind; null for the logbook.
const RegisterSpec* registerSpec(DocumentKind kind);

}  // namespace divelog
