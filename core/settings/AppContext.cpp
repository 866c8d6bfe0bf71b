#include "settings/AppContext.h"

#include "settings/DefaultSettings.h"

namespace divelog {

void AppContext::initialize() {
    pickLists_.fillFromStore();
    store_.registerDefaults(registeredDefaults());
}

}  // namespace divelog
