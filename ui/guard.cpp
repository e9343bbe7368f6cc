#include "ui/guard.h"

#include "common/error.h"
#include "ui/stopmessage.h"

#include <QApplication>
#include <QWidget>

namespace varnok {

void showErrorBox(const QString &message) {
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    showStopMessage(owner, message);
}

void runGuarded(void (*call)(void *), void *context) {
    try {
        call(context);
    } catch (const Abort &) {
        // "zpět" ends the command; nothing to report.
    } catch (const Error &e) {
        showErrorBox(e.message());
    } catch (const std::exception &e) {
        showErrorBox(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace varnok
