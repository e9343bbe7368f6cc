// The PDF export, checked with the poppler tools: text with Czech and
// German letters, document information, fonts not embedded, the file name
// rules, and a target that cannot be written.
#include "printing/engineerror.h"
#include "printing/pdfexport.h"
#include "printing/prepare.h"
#include "printing/templatexml.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace varnok;
using namespace varnok::report;

namespace {

const QString kCzech = QStringLiteral("Žádost o přiznání kreditu: ěščřžýáíéůúďťň ĚŠČŘŽÝÁÍÉŮÚĎŤŇ");
const QString kGerman = QStringLiteral("Antrag auf Kreditgewährung: äöüß ÄÖÜ");

PreparedReport sample() {
    QByteArray xml = R"(<varnokReport>
      <variables><variable name="cz" value=""/><variable name="de" value=""/></variables>
      <page>
        <text x="0" y="0" w="190" h="8" size="12" bold="1" fill="#dde4f0" frame="ltrb">[cz]</text>
        <text x="0" y="10" w="190" h="8" italic="1">[de]</text>
        <text x="0" y="20" w="190" h="8" font="Times New Roman">Times</text>
        <text x="0" y="30" w="190" h="8" font="Courier New" bold="1" italic="1">Courier</text>
        <line x1="0" y1="40" x2="190" y2="40"/>
      </page>
      <page><text x="0" y="0" w="50" h="8">Strana 2</text></page>
    </varnokReport>)";
    QBuffer b(&xml);
    b.open(QIODevice::ReadOnly);
    Template t = readTemplate(b, QStringLiteral("sample"));
    t.variables = {{QStringLiteral("cz"), u'\'' + kCzech + u'\''},
                   {QStringLiteral("de"), u'\'' + kGerman + u'\''}};
    return prepareReport(t, nullptr);
}

QString run(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Runs f where writing is restricted by the file permissions: as root in a
// child process that has become "nobody" (root may write anywhere), as
// anyone else in this process. Returns what f returns.
QString withoutRootRights(const std::function<QString()> &f) {
    if (geteuid() != 0)
        return f();
    int fds[2];
    if (pipe(fds) != 0)
        return QStringLiteral("<pipe failed>");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        const QByteArray out = f().toUtf8();
        const ssize_t written = write(fds[1], out.constData(), size_t(out.size()));
        _exit(written == out.size() ? 0 : 3);
    }
    close(fds[1]);
    QByteArray out;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("<child failed with %1>").arg(status);
    return QString::fromUtf8(out);
}

class Pdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("zadost.pdf"));
        pdf.DefaultPath = dir.path() + u'/';
        pdf.FileName = QStringLiteral("zadost.pdf");
    }
    QTemporaryDir dir;
    QString path;
    PdfExport pdf;
    QStringList errors;
    ScopedEngineErrorHandler capture{[this](const QString &m) { errors << m; }};
};

} // namespace

TEST_F(Pdf, TextFontsAndInformation) {
    ASSERT_TRUE(pdf.exportReport(sample())) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(errors.isEmpty());
    // The bare name was joined to the default directory (one separator)
    // and the component now holds the full path.
    EXPECT_EQ(pdf.FileName, path);

    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(kCzech)) << text.toStdString();
    EXPECT_TRUE(text.contains(kGerman)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Strana 2"))) << text.toStdString();

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    for (const char *key : {"Author:", "Subject:", "Creator:"})
        EXPECT_TRUE(info.contains(
            QRegularExpression(QStringLiteral("%1\\s+Varnok05\\n").arg(QLatin1String(key)))))
            << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Encrypted:\\s+no"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page size:\\s+595.2\\d* x 841.8\\d* pts \\(A4\\)"))))
        << info.toStdString();

    // Base fonts only, none embedded.
    const QString fonts = run(QStringLiteral("pdffonts"), {path});
    const QStringList lines = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    QStringList names;
    for (const QString &line : lines) {
        const QStringList cols = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(cols.size(), 5) << fonts.toStdString();
        names << cols[0];
        // Columns: name, type (two words), encoding, emb, sub, uni, object ID (two)
        EXPECT_EQ(cols[cols.size() - 5], QStringLiteral("no")) << line.toStdString();
    }
    names.sort();
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Courier-BoldOblique"), QStringLiteral("Helvetica"),
                           QStringLiteral("Helvetica-Bold"), QStringLiteral("Helvetica-Oblique"),
                           QStringLiteral("Times-Roman")}))
        << fonts.toStdString();

    // Compressed page content, no outline, no viewer preferences.
    const QByteArray bytes = readAll(path);
    EXPECT_TRUE(bytes.contains("/FlateDecode"));
    EXPECT_FALSE(bytes.contains("/Outlines"));
    EXPECT_FALSE(bytes.contains("/ViewerPreferences"));
    EXPECT_FALSE(bytes.contains("/Encrypt"));
}

TEST_F(Pdf, FileNameRules) {
    // With a directory part the name is used as it is.
    const QString other = dir.filePath(QStringLiteral("sub/other.pdf"));
    QDir().mkpath(dir.filePath(QStringLiteral("sub")));
    pdf.FileName = other;
    EXPECT_TRUE(pdf.exportReport(sample()));
    EXPECT_EQ(pdf.FileName, other);
    EXPECT_TRUE(QFile::exists(other));
    // Exporting again with the held full path writes the same file.
    EXPECT_TRUE(pdf.exportReport(sample()));
    EXPECT_EQ(pdf.FileName, other);
}

TEST_F(Pdf, ExistingFileIsReplacedWithoutQuestion) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    EXPECT_TRUE(pdf.exportReport(sample()));
    EXPECT_TRUE(readAll(path).startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("zadost.pdf")});
}

TEST_F(Pdf, UnwritableTargetKeepsTheOldFile) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    // The directory takes no new file (a viewer's lock on the file has the
    // same effect on the replacing rename).
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString result = withoutRootRights([this] {
        const bool ok = pdf.exportReport(sample());
        return QStringLiteral("%1|%2").arg(
            ok ? QStringLiteral("written") : QStringLiteral("failed"), errors.join(u'\n'));
    });
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(result.startsWith(QStringLiteral("failed|Cannot create file \"%1\". ").arg(path)))
        << result.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("zadost.pdf")});
}

TEST_F(Pdf, MissingDirectoryIsReported) {
    pdf.DefaultPath = dir.filePath(QStringLiteral("does/not/exist"));
    EXPECT_FALSE(pdf.exportReport(sample()));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(
        QStringLiteral("Cannot create file \"%1/does/not/exist/zadost.pdf\". ").arg(dir.path())))
        << errors[0].toStdString();
}
