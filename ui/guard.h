#pragma once

#include <type_traits>
#include <utility>

class QString;

namespace varnok {

// Shows an error in the application's error box (caption "Varnok05",
// stop icon, OK).
void showErrorBox(const QString &message);

// Runs a handler; an exception that leaves it is shown in the error box
// (an Abort silently ends it). Every event reaches its handler through this
// one place, so no handler can take the program down.
void runGuarded(void (*call)(void *), void *context);

template <class F> void guarded(F &&f) {
    runGuarded([](void *c) { (*static_cast<std::remove_reference_t<F> *>(c))(); },
               const_cast<void *>(static_cast<const void *>(&f)));
}

} // namespace varnok
