#include "ui/application.h"

#include "ui/guard.h"
#include "ui/style.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace varnok {

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Varnok05"));
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_cs"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    setFont(windowFont());
}

bool TApplication::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace varnok
