#include "settings/AppContext.h"

#include "settings/DefaultSettings.h"

namespace divelog {

void AppContext::initialize(const CountrySource& countries) {
    pickLists_.seedCountries(countries);
    pickLists_.fillFromStore();
    store_.registerDefaults(registeredDefaults());
}

}  // namespace divelog
