#pragma once

// The real main window on a throwaway database with one open application
// row (company "123", year 2017), for the tests of the window's controls.

#include "records/query.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"
#include "ui/dbedit.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace varnok::test {

class WindowTest : public ::testing::Test {
protected:
    // columns/values: extra columns of the row, as SQL lists.
    void open(const QString &columns = QString(), const QString &values = QString()) {
        fx = std::make_unique<FormFixture>();
        fx->db().exec(QStringLiteral(
                          "insert into zadost_kredit (ico, rok, nazevpodni%1) values ('123', 2017, "
                          "'Statek'%2)")
                          .arg(columns.isEmpty() ? QString() : QStringLiteral(", ") + columns,
                               values.isEmpty() ? QString() : QStringLiteral(", ") + values));
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
        fx->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }
    void SetUp() override { VARNOK_REQUIRE_SERVER(); }
    void TearDown() override { fx.reset(); }

    TForm1 &form() { return fx->form(); }
    ZQuery &q() { return *form().ZQuery1; }
    ZField &column(const char *name) { return q().fieldByName(QString::fromLatin1(name)); }
    template <class W = TDBEdit> W *control(const QString &name) {
        W *w = form().findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // Shows the page that holds w and gives w the focus.
    void focus(QWidget *w) {
        for (QWidget *p = w; p; p = p->parentWidget())
            if (p->objectName().startsWith(QStringLiteral("suiTabSheet")))
                form().suiPageControl1->setCurrentWidget(p);
        activate();
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(w->hasFocus()) << w->objectName().toStdString();
    }
    // A modal dialog leaves the window inactive until the platform
    // activates it again.
    void activate() {
        if (!form().isActiveWindow()) {
            form().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
        }
    }
    // The focus once the window is active again.
    QString focusAfterDialog() {
        activate();
        return focusName();
    }
    static QString focusName() {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    std::unique_ptr<FormFixture> fx;
};

} // namespace varnok::test
