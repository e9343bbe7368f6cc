// "tisk" on the real window over a row of the test server: the PDF beside
// the program, the preview, the unsaved-changes warning, German, design
// mode. Printing sends no statement: the row's pending edits stay pending.
#include "app/state.h"
#include "records/query.h"
#include "tests/printing/previewcloser.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QApplication>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

class PrintFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        fx = std::make_unique<FormFixture>();
        QFile::copy(QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3"),
                    fx->programDir() + QStringLiteral("zadost.fr3"));
        fx->db().exec(
            QStringLiteral("insert into zadost_kredit (ico, rok, nazevpodni, prodej01, "
                           "prodej01_min, prodejce, prodejce_min, "
                           "zadost, kredit, pozn_duvod, priznani) values ('123', 2017, 'Statek "
                           "Kouřim', 1850000, 1710000, "
                           "1850000, 1710000, 4500000, 5445000, 'Nákup osiva', '2017-03-14')"));
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
        fx->show();
        fx->statements.clear();
    }
    TForm1 &form() { return fx->form(); }
    ZQuery &q() { return *form().ZQuery1; }
    void print() { QTest::mouseClick(form().suiButton2, Qt::LeftButton); }
    void editName() {
        q().edit();
        q().fieldByName(QStringLiteral("nazevpodni"))
            .setAsString(QStringLiteral("Neuložený název"));
    }
    QString pdfPath() const { return fx->programDir() + QStringLiteral("zadost.pdf"); }
    QString pdfText() const {
        QProcess p;
        p.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), pdfPath(), QStringLiteral("-")});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput()).replace(QChar(0x00A0), u' ');
    }

    std::unique_ptr<FormFixture> fx;
};

} // namespace

TEST_F(PrintFormTest, PrintsTheOpenRow) {
    DialogAnswerer answers({});
    PreviewCloser closer;
    print();
    EXPECT_EQ(answers.texts, QStringList()); // nothing unsaved: no warning
    EXPECT_EQ(closer.shown, 1);
    EXPECT_EQ(closer.pages, 2);
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("Žádost o přiznání kreditu 2017")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Statek Kouřim")));
    EXPECT_TRUE(text.contains(QStringLiteral("1 850 000")));
    EXPECT_TRUE(text.contains(QStringLiteral("5 445 000,00")));
    EXPECT_TRUE(text.contains(QStringLiteral("14.3.2017")));
    EXPECT_EQ(fx->statements, QStringList());
    EXPECT_EQ(state().PrintLanguage, QStringLiteral("cj"));
}

TEST_F(PrintFormTest, UnsavedEditsAndZpetStopsEverything) {
    editName();
    DialogAnswerer answers({2});
    PreviewCloser closer;
    print();
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!")});
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_TRUE(q().modified());
    EXPECT_EQ(fx->statements, QStringList());
}

TEST_F(PrintFormTest, UnsavedEditsPrintAndStayUnsaved) {
    editName();
    {
        DialogAnswerer answers({1});
        PreviewCloser closer;
        print();
        EXPECT_EQ(answers.texts, QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!")});
        EXPECT_EQ(closer.shown, 1);
    }
    EXPECT_TRUE(pdfText().contains(QStringLiteral("Neuložený název")));
    // Printing stored nothing: the edit is still pending, the server still
    // has the old name, and closing will warn about it.
    EXPECT_EQ(fx->statements, QStringList());
    EXPECT_TRUE(q().modified());
    EXPECT_EQ(fx->db().scalar(QStringLiteral("select nazevpodni from zadost_kredit")),
              QStringLiteral("Statek Kouřim"));
    DialogAnswerer atClose({2});
    form().close();
    EXPECT_EQ(atClose.texts, QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!")});
    EXPECT_TRUE(form().isVisible());
}

TEST_F(PrintFormTest, GermanWhileTheBoxIsTicked) {
    form().suiCheckBox1->setChecked(true);
    PreviewCloser closer;
    print();
    EXPECT_EQ(closer.shown, 1);
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("Antrag auf Kreditgewährung 2017")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Žádost o přiznání")));
    EXPECT_EQ(state().PrintLanguage, QStringLiteral("cj"));
    EXPECT_TRUE(form().suiCheckBox1->isChecked());
}

TEST_F(PrintFormTest, AfterTheHotKeyTheDesignerInsteadOfAPrint) {
    state().DesignRequested = true;
    PreviewCloser closer;
    // The window's print command opens the real designer: close it.
    int designers = 0;
    QTimer designerCloser;
    designerCloser.setInterval(20);
    QObject::connect(&designerCloser, &QTimer::timeout, [&designers] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && QByteArray(w->metaObject()->className()).contains("Designer")) {
            ++designers;
            w->close();
        }
    });
    designerCloser.start();
    print();
    EXPECT_EQ(designers, 1);
    EXPECT_FALSE(state().DesignRequested);
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    print();
    EXPECT_EQ(closer.shown, 1);
    EXPECT_TRUE(QFile::exists(pdfPath()));
}
