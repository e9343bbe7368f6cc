#pragma once

#include <QString>
#include <functional>

namespace varnok::report {

// The report engine shows the errors of its own operations (preparing,
// exporting) itself instead of passing them to the caller. Without widgets
// it only knows a handler; the window side installs one that shows an
// error box, tests install one that records.
using EngineErrorHandler = std::function<void(const QString &message)>;

void showEngineError(const QString &message);

// Returns the handler that was installed before.
EngineErrorHandler setEngineErrorHandler(EngineErrorHandler handler);
bool hasEngineErrorHandler();

// Installs a handler for the lifetime of the object, then restores the
// previous one.
class ScopedEngineErrorHandler {
public:
    explicit ScopedEngineErrorHandler(EngineErrorHandler handler)
        : m_previous(setEngineErrorHandler(std::move(handler))) {}
    ~ScopedEngineErrorHandler() { setEngineErrorHandler(std::move(m_previous)); }
    ScopedEngineErrorHandler(const ScopedEngineErrorHandler &) = delete;
    ScopedEngineErrorHandler &operator=(const ScopedEngineErrorHandler &) = delete;

private:
    EngineErrorHandler m_previous;
};

} // namespace varnok::report
