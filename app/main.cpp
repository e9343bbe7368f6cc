// Program entry: the application object, the one main window, the loop.
#include "ui/application.h"
#include "ui/form1.h"

#include <QDir>
#include <QTimer>

int main(int argc, char **argv) {
    varnok::TApplication app(argc, argv);
    const QString programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + u'/';
    varnok::TForm1 form(app.arguments().mid(1), programDir);
    form.show();
    // For start-up measurements: end as soon as the window with its row is
    // shown and the event loop is idle.
    if (qEnvironmentVariableIsSet("VARNOK05_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
