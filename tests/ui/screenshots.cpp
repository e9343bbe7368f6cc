// Pictures of the main window for judging its look: opens the real window
// offscreen on a company and year, grabs each of the four pages and the
// warning dialog into PNG files. Message boxes that come up on the way
// (a missing caption file, for instance) are answered with button 1 and
// their text is printed.
//
//   ui_screenshots <output dir> <file prefix> <program dir> <ico> <year>
//
// The program directory holds nothing; its parent holds varnok05.ini. The
// caption file is read from the current directory, as by the program.
#include "ui/application.h"
#include "ui/form1.h"
#include "ui/messagedialog.h"

#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

using namespace varnok;

namespace {

bool save(QWidget *w, const QString &path) {
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "ui_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr,
                     "usage: ui_screenshots <output dir> <prefix> <program dir> <ico> <year>\n");
        return 2;
    }
    const QString out = args.at(1), prefix = args.at(2);
    const QString programDir = QDir(args.at(3)).absolutePath() + u'/';
    QDir().mkpath(out);

    // Answers the boxes that come up while the window opens.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] {
        if (TMessageDialog *d = TMessageDialog::active(); d && d->isVisible()) {
            std::fprintf(stderr, "ui_screenshots: message: %s\n", qPrintable(d->shownText()));
            d->press(1);
        }
    });
    answerer.start(10);

    TForm1 form({args.at(4), args.at(5)}, programDir);
    form.show();
    settle();
    answerer.stop();

    bool ok = true;
    for (int page = 0; page < 4; ++page) {
        form.suiPageControl1->setCurrentIndex(page);
        settle();
        ok &= save(&form, QStringLiteral("%1/%2-page%3.png").arg(out, prefix).arg(page + 1));
    }
    // The end of the credit page: the notes and the date of granting.
    if (auto *credit = form.findChild<QScrollArea *>(QStringLiteral("JvScrollBox3"))) {
        credit->verticalScrollBar()->setValue(credit->verticalScrollBar()->maximum());
        settle();
        ok &= save(&form, QStringLiteral("%1/%2-page4-end.png").arg(out, prefix));
    }
    // The largest window the user can make.
    form.suiPageControl1->setCurrentIndex(2);
    form.resize(form.maximumSize());
    settle();
    ok &= save(&form, QStringLiteral("%1/%2-largest.png").arg(out, prefix));

    QTimer::singleShot(50, [&] {
        if (TMessageDialog *d = TMessageDialog::active()) {
            settle();
            ok &= save(d, QStringLiteral("%1/%2-pozor.png").arg(out, prefix));
            d->press(2);
        }
    });
    form.pozor->ShowModal();
    return ok ? 0 : 1;
}
