// The print command without a database row: program directory, caption
// file in the current directory, the report variables, print and design
// mode, and what the user sees when something fails.
#include "app/state.h"
#include "common/codepage.h"
#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/preview.h"
#include "printing/printcommand.h"
#include "printing/waitcursor.h"
#include "tests/printing/previewcloser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::printing;
using varnok::report::Report;
using varnok::test::PreviewCloser;

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString pdfText(const QString &path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

const char *kTemplate = R"(<varnokReport>
  <variables><variable name="txt_05" value="'from the template'"/></variables>
  <page><text x="0" y="0" w="190" h="40">[txt_01]/[txt_02]/[txt_03]/[txt_05]/[rok1]/[rok2]</text></page>
</varnokReport>)";

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programDir = dir.filePath(QStringLiteral("bin")) + u'/';
        captionDir = dir.filePath(QStringLiteral("work"));
        QDir().mkpath(programDir);
        QDir().mkpath(captionDir);
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(captionDir); // the caption file is read from here
        writeCaptions({"1;Název;Firmenname", "2;Ulice;Straße", "3;O'Brien;Kreditgewährung"});
        writeFile(programDir + QStringLiteral("zadost.fr3"), kTemplate);
        st.CurrentYear = QStringLiteral("2013");
        st.PrintLanguage = QStringLiteral("cj");
        request.askUnsaved = [this] {
            ++asked;
            return 2;
        };
        request.programDir = programDir;
        request.state = &st;
    }
    void TearDown() override { QDir::setCurrent(oldCurrent); }

    void writeCaptions(const std::vector<const char *> &lines) {
        QString text;
        for (const char *l : lines)
            text += QString::fromUtf8(l) + QStringLiteral("\r\n");
        writeFile(captionDir + QStringLiteral("/texty.txt"), cp1250::encodeLossy(text));
    }
    QString pdfPath() const { return programDir + QStringLiteral("zadost.pdf"); }

    QTemporaryDir dir;
    QString programDir, captionDir, oldCurrent;
    AppState st;
    PrintRequest request;
    int asked = 0;
    // Installed before the command, which would otherwise bring its own
    // error box.
    QStringList errors;
    report::ScopedEngineErrorHandler capture{[this](const QString &m) { errors << m; }};
    QObject window;
    PrintCommand command{&window};
};

} // namespace

TEST_F(PrintCommandTest, PrintsPdfAndPreview) {
    PreviewCloser closer;
    command.run(request);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(asked, 0); // no row, nothing unsaved
    EXPECT_EQ(closer.shown, 1);
    EXPECT_EQ(closer.pages, 1);
    EXPECT_FALSE(closer.cursorWhileShown); // the preview runs under the normal cursor
    EXPECT_TRUE(QFileInfo(programDir + QStringLiteral("pdf")).isDir());
    EXPECT_EQ(pdfText(pdfPath()).trimmed(),
              QStringLiteral("Název/Ulice/O'Brien/from the template/2012/2013"));
    // The export holds the full path; the report its file name.
    EXPECT_EQ(command.dopdf().FileName, pdfPath());
    EXPECT_EQ(command.frxReport1().fileName(), programDir + QStringLiteral("zadost.fr3"));
    EXPECT_EQ(st.PrintLanguage, QStringLiteral("cj"));
    EXPECT_EQ(WaitCursor::count(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The pdf directory is created but holds nothing.
    EXPECT_TRUE(QDir(programDir + QStringLiteral("pdf")).isEmpty());
}

TEST_F(PrintCommandTest, GermanWhenTickedAndCzechAfterwards) {
    PreviewCloser closer;
    request.german = true;
    command.run(request);
    EXPECT_EQ(pdfText(pdfPath()).trimmed(),
              QStringLiteral("Firmenname/Straße/Kreditgewährung/from the template/2012/2013"));
    EXPECT_EQ(st.PrintLanguage, QStringLiteral("cj"));
    // Every print while the box stays ticked is German.
    command.run(request);
    EXPECT_EQ(command.frxReport1().variable(QStringLiteral("txt_01")),
              QStringLiteral("'Firmenname'"));
}

TEST(CaptionVariables, NamesAndFields) {
    struct {
        int lines;
        const char16_t *lastName;
        const char16_t *lastValue;
    } cases[] = {
        {9, u"txt_09", u"'cz9'"},     {10, u"txt_10", u"'cz10'"},   {99, u"txt_99", u"'cz99'"},
        {100, u"txt_00", u"'cz100'"}, {101, u"txt_01", u"'cz101'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lines);
        QStringList lines;
        for (int i = 1; i <= c.lines; ++i)
            lines << QStringLiteral("%1;cz%1;de%1").arg(i);
        Report report;
        setCaptionVariables(report, lines, QStringLiteral("cj"));
        const auto &vars = report.templ().variables;
        ASSERT_FALSE(vars.empty());
        // From line 100 on a line replaces the variable of the line 100
        // before it, which keeps its place.
        EXPECT_EQ(vars.back().name,
                  c.lines >= 100 ? QStringLiteral("txt_00") : QString::fromUtf16(c.lastName));
        EXPECT_EQ(report.variable(QString::fromUtf16(c.lastName)), QString::fromUtf16(c.lastValue));
        EXPECT_EQ(vars.size(), size_t(qMin(c.lines, 100)));
        EXPECT_EQ(vars.front().name, QStringLiteral("txt_01"));
    }
    Report report;
    setCaptionVariables(report, {}, QStringLiteral("cj"));
    EXPECT_TRUE(report.templ().variables.empty());

    // Field 1 for exactly "cj", field 2 for anything else; a missing field
    // gives two quotes.
    const QStringList lines = {QStringLiteral("1;a;b;c"), QStringLiteral("2;only czech"),
                               QStringLiteral("3"), QString(), QStringLiteral("5;;german")};
    struct {
        const char16_t *language;
        std::vector<const char16_t *> values;
    } languages[] = {
        {u"cj", {u"'a'", u"'only czech'", u"''", u"''", u"''"}},
        {u"nj", {u"'b'", u"''", u"''", u"''", u"'german'"}},
        {u"CJ", {u"'b'", u"''", u"''", u"''", u"'german'"}},
    };
    for (const auto &l : languages) {
        SCOPED_TRACE(QString::fromUtf16(l.language).toStdString());
        Report r;
        setCaptionVariables(r, lines, QString::fromUtf16(l.language));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(r.variable(QStringLiteral("txt_0%1").arg(i + 1)),
                      QString::fromUtf16(l.values[size_t(i)]));
    }
}

TEST_F(PrintCommandTest, EmptyCaptionFileStillSetsTheYears) {
    PreviewCloser closer;
    writeFile(captionDir + QStringLiteral("/texty.txt"), QByteArray());
    writeFile(programDir + QStringLiteral("zadost.fr3"),
              "<varnokReport><page><text x='0' y='0' w='100' "
              "h='10'>[rok1]-[rok2]</text></page></varnokReport>");
    command.run(request);
    EXPECT_EQ(pdfText(pdfPath()).trimmed(), QStringLiteral("2012-2013"));
    EXPECT_EQ(command.frxReport1().templ().variables.size(), 2u);
}

TEST_F(PrintCommandTest, YearThatIsNotANumber) {
    PreviewCloser closer;
    st.CurrentYear = QStringLiteral("20x3");
    request.german = true;
    try {
        command.run(request);
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'20x3' is not a valid integer value"));
    }
    // The captions were set, the language is back, nothing was printed.
    EXPECT_EQ(command.frxReport1().variable(QStringLiteral("txt_01")),
              QStringLiteral("'Firmenname'"));
    EXPECT_EQ(st.PrintLanguage, QStringLiteral("cj"));
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    // The next click works again.
    st.CurrentYear = QStringLiteral("2013");
    command.run(request);
    EXPECT_EQ(closer.shown, 1);
}

TEST_F(PrintCommandTest, MissingCaptionFile) {
    PreviewCloser closer;
    QFile::remove(captionDir + QStringLiteral("/texty.txt"));
    // Beside the program it does not count: it is read from the current directory.
    writeFile(programDir + QStringLiteral("texty.txt"), "1;x;y\r\n");
    st.PrintLanguage = QStringLiteral("cj");
    request.german = true;
    try {
        command.run(request);
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Cannot open file \"%1\". ")
                .arg(QDir::toNativeSeparators(captionDir + QStringLiteral("/texty.txt")))))
            << e.what();
    }
    EXPECT_EQ(st.PrintLanguage, QStringLiteral("cj"));
    EXPECT_EQ(WaitCursor::count(), 0);
    EXPECT_EQ(closer.shown, 0);
}

TEST_F(PrintCommandTest, MissingTemplatePrintsAnEmptyReport) {
    PreviewCloser closer;
    QFile::remove(programDir + QStringLiteral("zadost.fr3"));
    command.run(request);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(closer.shown, 1);
    EXPECT_EQ(closer.pages, 1);
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_EQ(command.frxReport1().fileName(), programDir + QStringLiteral("zadost.fr3"));
}

TEST_F(PrintCommandTest, TemplateThatIsNotATemplate) {
    PreviewCloser closer;
    writeFile(programDir + QStringLiteral("zadost.fr3"), "object frxReport1: TfrxReport\nend\n");
    EXPECT_THROW(command.run(request), Error);
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
}

TEST_F(PrintCommandTest, FailedPreparationShowsTheEngineError) {
    PreviewCloser closer;
    writeFile(programDir + QStringLiteral("zadost.fr3"),
              "<varnokReport><page><text name='Memo7' x='0' y='0' w='100' "
              "h='10'>[nic]</text></page></varnokReport>");
    command.run(request);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors[0].startsWith(QStringLiteral("Objekt „Memo7“ (strana 1): Neznámý název „nic“")))
        << errors[0].toStdString();
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_EQ(WaitCursor::count(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PrintCommandTest, PdfThatCannotBeReplacedStillShowsThePreview) {
    PreviewCloser closer;
    // A directory in the way of zadost.pdf: the replacing rename fails even
    // for root, as it does for a file a viewer holds open.
    QDir().mkpath(pdfPath() + QStringLiteral("/held"));
    command.run(request);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(pdfPath())))
        << errors[0].toStdString();
    EXPECT_EQ(closer.shown, 1);
    EXPECT_TRUE(QFileInfo(pdfPath() + QStringLiteral("/held")).isDir());
    // No temporary file is left behind.
    EXPECT_EQ(QDir(programDir).entryList(QDir::Files), QStringList{QStringLiteral("zadost.fr3")});
}

TEST_F(PrintCommandTest, EarlierPdfIsReplacedAndPdfDirectoryLeftAlone) {
    PreviewCloser closer;
    writeFile(pdfPath(), "old");
    QDir().mkpath(programDir + QStringLiteral("pdf"));
    writeFile(programDir + QStringLiteral("pdf/keep.txt"), "keep");
    command.run(request);
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_EQ(readFile(programDir + QStringLiteral("pdf/keep.txt")), QByteArray("keep"));
    EXPECT_EQ(QDir(programDir + QStringLiteral("pdf")).entryList(QDir::Files),
              QStringList{QStringLiteral("keep.txt")});
}

TEST_F(PrintCommandTest, DesignModeOnceAfterTheHotKey) {
    PreviewCloser closer;
    int designs = 0;
    command.setDesigner([&](Report &report, const DesignerSettings &settings, QWidget *) {
        ++designs;
        // The designer sees the template as loaded with the variables set.
        EXPECT_EQ(report.templ().pages.size(), 1u);
        EXPECT_EQ(report.variable(QStringLiteral("txt_01")), QStringLiteral("'Název'"));
        EXPECT_EQ(report.variable(QStringLiteral("rok2")), QStringLiteral("'2013'"));
        EXPECT_EQ(report.fileName(), programDir + QStringLiteral("zadost.fr3"));
        EXPECT_EQ(settings.SaveDir, programDir);
        EXPECT_EQ(settings.OpenDir, programDir);
        EXPECT_EQ(settings.TemplateDir, programDir);
        EXPECT_EQ(report.engineOptions().tempDir, programDir);
    });
    st.DesignRequested = true;
    command.run(request);
    EXPECT_EQ(designs, 1);
    EXPECT_FALSE(st.DesignRequested);
    EXPECT_TRUE(command.frxReport1().templ().isEmpty());
    EXPECT_EQ(closer.shown, 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("pdf")));
    // The next use prints.
    command.run(request);
    EXPECT_EQ(designs, 1);
    EXPECT_EQ(closer.shown, 1);
}

TEST_F(PrintCommandTest, ClickWhilePrintingIsIgnored) {
    PreviewCloser closer;
    closer.whileShown = [this] { command.run(request); };
    command.run(request);
    EXPECT_EQ(closer.shown, 1);
}

TEST_F(PrintCommandTest, OneCommandPerWindow) {
    QObject other;
    PrintCommand &a = PrintCommand::of(&other);
    EXPECT_EQ(&PrintCommand::of(&other), &a);
    EXPECT_EQ(a.parent(), &other);
    EXPECT_EQ(&PrintCommand::of(&window), &command);
}
