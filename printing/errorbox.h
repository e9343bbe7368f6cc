#pragma once

namespace varnok::printing {

// Lets the report engine show its errors in an error box of its own over
// the active window, unless a handler (a test's, say) is installed already.
void installEngineErrorBox();

} // namespace varnok::printing
