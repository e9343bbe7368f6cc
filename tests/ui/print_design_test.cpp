// Design mode through the window's print button: after the design hot key
// the next "tisk" opens the designer (nothing printed), the one after
// prints.
#include "app/state.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

// Closes the modal window that opens next (designer or preview) and
// remembers its class name.
QString closeNextModal(std::function<void()> action) {
    QString seen;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            seen = QString::fromLatin1(w->metaObject()->className());
            w->close();
        }
    });
    timer.start();
    action();
    return seen;
}

} // namespace

TEST(PrintDesignMode, HotKeyThenFirstPrintDesignsAndTheSecondPrints) {
    VARNOK_REQUIRE_SERVER();
    FormFixture fx;
    fx.db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni) values ('123', 2017, 'Statek')"));
    QFile::copy(QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3"),
                fx.programDir() + QStringLiteral("zadost.fr3"));
    {
        DialogAnswerer none({});
        fx.create({QStringLiteral("123"), QStringLiteral("2017")});
        fx.show();
    }
    TForm1 &form = fx.form();
    const QString pdf = fx.programDir() + QStringLiteral("zadost.pdf");
    state().DesignRequested = true;
    const QString first =
        closeNextModal([&] { QTest::mouseClick(form.suiButton2, Qt::LeftButton); });
    EXPECT_TRUE(first.contains(QStringLiteral("Designer"))) << first.toStdString();
    EXPECT_FALSE(state().DesignRequested);
    EXPECT_FALSE(QFile::exists(pdf)) << "design mode prints nothing";

    const QString second =
        closeNextModal([&] { QTest::mouseClick(form.suiButton2, Qt::LeftButton); });
    EXPECT_TRUE(second.contains(QStringLiteral("Preview"))) << second.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(state().PrintLanguage, QStringLiteral("cj"));
}
