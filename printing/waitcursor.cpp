#include "printing/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace varnok {

namespace {
int g_count = 0;
}

// The override cursor stack of the application keeps the cursor that was
// in force, so restoring it brings back exactly what was shown before.
void WaitCursor::start() {
    if (g_count == 0)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++g_count;
}

void WaitCursor::stop() {
    if (g_count == 0)
        return;
    --g_count;
    if (g_count == 0)
        QGuiApplication::restoreOverrideCursor();
}

int WaitCursor::count() {
    return g_count;
}

} // namespace varnok
