#include "printing/engineerror.h"

#include <QtGlobal>

namespace varnok::report {

namespace {
EngineErrorHandler &handler() {
    static EngineErrorHandler h;
    return h;
}
} // namespace

void showEngineError(const QString &message) {
    if (handler())
        handler()(message);
    else
        qWarning("%s", qUtf8Printable(message));
}

EngineErrorHandler setEngineErrorHandler(EngineErrorHandler h) {
    EngineErrorHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

bool hasEngineErrorHandler() {
    return bool(handler());
}

} // namespace varnok::report
