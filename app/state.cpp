#include "app/state.h"

namespace varnok {

AppState &state() {
    static AppState s;
    return s;
}

} // namespace varnok
