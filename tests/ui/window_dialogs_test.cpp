// The message dialog (results, keys, layout) and the error box through
// which every handler's error reaches the user.
#include "common/error.h"
#include "tests/support/dialogs.h"
#include "ui/guard.h"
#include "ui/messagedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

TMessageDialog *makeDialog(QWidget *owner = nullptr) {
    auto *d = new TMessageDialog(owner);
    d->Caption = QStringLiteral("Varnok05 - kredity");
    d->Text = QStringLiteral("POZOR - zjištěny neuložené změny!");
    d->Button1Caption = QStringLiteral("pokračovat");
    d->Button2Caption = QStringLiteral("zpět");
    d->IconType = TMessageDialog::Icon::Warning;
    return d;
}

// Shows the dialog modally and does `act` to it once it is up.
int showAndDo(TMessageDialog *d, std::function<void(TMessageDialog *)> act) {
    QTimer::singleShot(0, [act] {
        TMessageDialog *shown = TMessageDialog::active();
        ASSERT_NE(shown, nullptr);
        act(shown);
    });
    return d->ShowModal();
}

} // namespace

TEST(MessageDialog, ResultOfEachWayOfAnswering) {
    struct Case {
        const char *what;
        std::function<void(TMessageDialog *)> act;
        int result;
    };
    const Case cases[] = {
        {"button 1", [](TMessageDialog *d) { QTest::mouseClick(d->button(1), Qt::LeftButton); }, 1},
        {"button 2", [](TMessageDialog *d) { QTest::mouseClick(d->button(2), Qt::LeftButton); }, 2},
        {"Enter", [](TMessageDialog *d) { QTest::keyClick(d->focusWidget(), Qt::Key_Return); }, 1},
        {"Esc", [](TMessageDialog *d) { QTest::keyClick(d->focusWidget(), Qt::Key_Escape); }, 2},
        {"closing", [](TMessageDialog *d) { d->close(); }, 2},
        {"press(1)", [](TMessageDialog *d) { d->press(1); }, 1},
        {"press(2)", [](TMessageDialog *d) { d->press(2); }, 2},
    };
    std::unique_ptr<TMessageDialog> d(makeDialog());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(showAndDo(d.get(), c.act), c.result);
        EXPECT_EQ(TMessageDialog::active(), nullptr);
    }
    // A dialog with one button: Esc still gives 2.
    d->ButtonCount = 1;
    EXPECT_EQ(
        showAndDo(d.get(),
                  [](TMessageDialog *s) { QTest::keyClick(s->focusWidget(), Qt::Key_Escape); }),
        2);
    EXPECT_EQ(
        showAndDo(d.get(),
                  [](TMessageDialog *s) { QTest::keyClick(s->focusWidget(), Qt::Key_Return); }),
        1);
}

TEST(MessageDialog, Layout) {
    std::unique_ptr<TMessageDialog> d(makeDialog());
    bool checked = false;
    showAndDo(d.get(), [&](TMessageDialog *s) {
        checked = true;
        EXPECT_EQ(s->windowTitle(), QStringLiteral("Varnok05 - kredity"));
        EXPECT_EQ(s->shownText(), QStringLiteral("POZOR - zjištěny neuložené změny!"));
        QPushButton *b1 = s->button(1);
        QPushButton *b2 = s->button(2);
        EXPECT_EQ(b1->text(), QStringLiteral("pokračovat"));
        EXPECT_EQ(b2->text(), QStringLiteral("zpět"));
        EXPECT_TRUE(b1->isVisible() && b2->isVisible());
        EXPECT_LT(b1->x() + b1->width(), b2->x()) << "button 1 left of button 2";
        EXPECT_TRUE(b1->isDefault());
        EXPECT_EQ(s->focusWidget(), b1);
        EXPECT_EQ(b1->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(b2->cursor().shape(), Qt::PointingHandCursor);
        auto *icon = s->findChild<QLabel *>(QStringLiteral("icon"));
        auto *text = s->findChild<QLabel *>(QStringLiteral("text"));
        ASSERT_TRUE(icon && text);
        EXPECT_TRUE(icon->isVisible());
        EXPECT_FALSE(icon->pixmap().isNull());
        EXPECT_LT(icon->x() + icon->width(), text->x()) << "icon at the left";
        const int below = std::max(icon->y() + icon->height(), text->y() + text->height());
        EXPECT_GE(b1->y(), below) << "buttons below the icon and the text";
        EXPECT_GT(b2->x() + b2->width(), s->width() - 30) << "buttons right-aligned";
        const QRect screen = s->screen()->availableGeometry();
        EXPECT_LE((s->geometry().center() - screen.center()).manhattanLength(), 2)
            << "centred on the screen";
        s->press(2);
    });
    EXPECT_TRUE(checked);

    d->IconType = TMessageDialog::Icon::None;
    d->ButtonCount = 1;
    d->Button1Caption = QStringLiteral("OK");
    showAndDo(d.get(), [](TMessageDialog *s) {
        EXPECT_FALSE(s->findChild<QLabel *>(QStringLiteral("icon"))->isVisible());
        EXPECT_FALSE(s->button(2)->isVisible());
        EXPECT_EQ(s->button(1)->text(), QStringLiteral("OK"));
        s->press(1);
    });
}

TEST(MessageDialog, NestedDialogsAreActiveInnermostFirst) {
    std::unique_ptr<TMessageDialog> outer(makeDialog());
    std::unique_ptr<TMessageDialog> inner(makeDialog());
    inner->Text = QStringLiteral("inner");
    int innerResult = 0;
    const int outerResult = showAndDo(outer.get(), [&](TMessageDialog *s) {
        EXPECT_EQ(s, outer.get());
        innerResult = showAndDo(inner.get(), [&](TMessageDialog *i) {
            EXPECT_EQ(i, inner.get());
            i->press(1);
        });
        EXPECT_EQ(TMessageDialog::active(), outer.get());
        s->press(2);
    });
    EXPECT_EQ(innerResult, 1);
    EXPECT_EQ(outerResult, 2);
}

TEST(ErrorBox, HandlerErrorsAreShownAndAnAbortIsSilent) {
    struct Case {
        const char *what;
        std::function<void()> handler;
        QStringList shown;
    };
    const Case cases[] = {
        {"error",
         [] { throw Error(QStringLiteral("SQL chyba: spojení ztraceno")); },
         {QStringLiteral("SQL chyba: spojení ztraceno")}},
        {"std::exception",
         [] { throw std::runtime_error("bad thing"); },
         {QStringLiteral("bad thing")}},
        {"abort", [] { throw Abort(); }, {}},
        {"nothing", [] {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DialogAnswerer answers({1});
        guarded(c.handler);
        EXPECT_EQ(answers.texts, c.shown);
        EXPECT_EQ(answers.captions,
                  c.shown.isEmpty() ? QStringList() : QStringList{QStringLiteral("Varnok05")});
    }
}

TEST(ErrorBox, HasTheStopIconAndOneButton) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
        TMessageDialog *d = TMessageDialog::active();
        ASSERT_NE(d, nullptr);
        checked = true;
        EXPECT_EQ(d->IconType, TMessageDialog::Icon::Stop);
        EXPECT_EQ(d->ButtonCount, 1);
        EXPECT_EQ(d->button(1)->text(), QStringLiteral("OK"));
        EXPECT_FALSE(d->button(2)->isVisible());
        d->press(1);
    });
    showErrorBox(QStringLiteral("'1-2' is not a valid integer value for field 'prod01_hekt'"));
    EXPECT_TRUE(checked);
}
