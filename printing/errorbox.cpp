#include "printing/errorbox.h"

#include "printing/engineerror.h"

#include <QApplication>
#include <QMessageBox>

namespace varnok::printing {

void installEngineErrorBox() {
    if (report::hasEngineErrorHandler())
        return;
    report::setEngineErrorHandler([](const QString &message) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Chyba sestavy"), message,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}

} // namespace varnok::printing
