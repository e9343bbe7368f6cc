// The application object: errors that escape an event handler end in the
// error box instead of ending the program; Qt's own texts are Czech.
// Its own entry point, since the application object is the one under test.
#include "common/error.h"
#include "tests/support/dialogs.h"
#include "ui/application.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

// An object whose events throw, as a handler may.
class Thrower : public QObject {
public:
    bool event(QEvent *e) override {
        if (e->type() == QEvent::User)
            throw Error(QStringLiteral("Nezdařilo se připojení k SQL serveru"));
        if (e->type() == QEvent::User + 1)
            throw Abort();
        return QObject::event(e);
    }
};

} // namespace

TEST(Application, AnErrorLeavingAnEventIsShownAndTheProgramGoesOn) {
    Thrower thrower;
    DialogAnswerer answers({1});
    QEvent failing(QEvent::User);
    QEvent aborting(QEvent::Type(QEvent::User + 1));
    QCoreApplication::sendEvent(&thrower, &failing);
    QCoreApplication::sendEvent(&thrower, &aborting);
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Nezdařilo se připojení k SQL serveru")})
        << "the abort is silent";
}

TEST(Application, QtDialogsSpeakCzech) {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušit"));
}

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
