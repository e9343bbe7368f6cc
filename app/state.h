#pragma once

#include <QString>

namespace varnok {

// The process-wide state of one run. Read and written on the user-interface
// thread only.
struct AppState {
    QString CurrentIco;         // company number of the open application
    QString CurrentYear;        // year of the open application, as text
    QString PrintLanguage;      // "cj" Czech, "nj" German (during a print)
    bool FirstOpenPending = true; // until the first successful opening
    bool DesignRequested = false; // set by the design hot key
};

AppState &state();

} // namespace varnok
