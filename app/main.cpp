// Program entry: the application object, the one main window, the loop.
#include "ui/application.h"
#include "ui/form1.h"

#include <QDir>

int main(int argc, char **argv) {
    varnok::TApplication app(argc, argv);
    const QString programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + u'/';
    varnok::TForm1 form(app.arguments().mid(1), programDir);
    form.show();
    return app.exec();
}
