// The caption file, SplitField and the caption walk, on real files opened
// by the bare name "texty.txt" from the current directory.
#include "common/error.h"
#include "texts/splitfield.h"
#include "texts/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace varnok;
using namespace Qt::StringLiterals;

namespace {

// Runs the test body in a fresh directory and goes back afterwards, also
// when an assertion leaves the body early.
class InTemporaryDirectory {
public:
    InTemporaryDirectory() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~InTemporaryDirectory() { QDir::setCurrent(m_old); }
    QString path() const { return QDir::currentPath(); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

void writeCaptionFile(const QByteArray &bytes) {
    QFile f(QStringLiteral("texty.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// What the walk did: "tag=caption" per caption set, then the error, if any.
QStringList walk(const QString &language, const std::vector<int> &tags) {
    QStringList done;
    std::vector<CaptionTarget> targets;
    for (int tag : tags)
        targets.emplace_back(tag, [&done, tag](const QString &text) {
            done << QStringLiteral("%1=%2").arg(tag).arg(text);
        });
    try {
        applyCaptions(readTextLines(QStringLiteral("texty.txt")), captionField(language), targets);
    } catch (const Error &e) {
        done << e.message();
    }
    return done;
}

QByteArray numberedLines(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "k" + QByteArray::number(i) + ";cz" + QByteArray::number(i) + ";de" +
                 QByteArray::number(i) + "\r\n";
    return bytes;
}

} // namespace

TEST(Texts, CaptionFileToCaptions) {
    struct Case {
        const char *what;
        QByteArray file;
        const char *language;
        std::vector<int> tags;
        QStringList expected;
    };
    const QString outOfBounds = QStringLiteral("List index out of bounds (%1)");
    const Case cases[] = {
        {"CR LF", "a;cz1;de1\r\nb;cz2;de2\r\n", "cj", {1, 2}, {u"1=cz1"_s, u"2=cz2"_s}},
        {"LF", "a;cz1;de1\nb;cz2;de2\n", "cj", {1, 2}, {u"1=cz1"_s, u"2=cz2"_s}},
        {"CR", "a;cz1;de1\rb;cz2;de2\r", "nj", {1, 2}, {u"1=de1"_s, u"2=de2"_s}},
        {"mixed breaks, none at the end",
         "a;1\r\nb;2\rc;3\nd;4",
         "cj",
         {1, 2, 3, 4},
         {u"1=1"_s, u"2=2"_s, u"3=3"_s, u"4=4"_s}},
        {"CR then LF of the next break", "a;1\r\r\nb;2", "cj", {2, 3}, {u"2="_s, u"3=2"_s}},
        {"empty line", "a;1;x\r\n\r\nc;3;z\r\n", "nj", {1, 2, 3}, {u"1=x"_s, u"2="_s, u"3=z"_s}},
        {"empty Czech field, German set", "a;;Deutsch\r\n", "cj", {1}, {u"1="_s}},
        {"empty Czech field, German set", "a;;Deutsch\r\n", "nj", {1}, {u"1=Deutsch"_s}},
        {"spaces kept",
         "g; P\xf8"
         "ehled o firm\xec ; Firmen\xfc"
         "bersicht \r\n",
         "cj",
         {1},
         {u"1= Přehled o firmě "_s}},
        {"spaces kept",
         "g; P\xf8"
         "ehled ; Firmen\xfc"
         "bersicht \r\n",
         "nj",
         {1},
         {u"1= Firmenübersicht "_s}},
        {"four fields", "a;b;c;d\r\n", "nj", {1}, {u"1=c"_s}},
        {"language code with other case", "a;cesky;deutsch\r\n", "CJ", {1}, {u"1=deutsch"_s}},
        {"no separator", "jen klic\r\n", "cj", {1}, {u"1="_s}},
        {"one separator, German", "a;cesky\r\n", "nj", {1}, {u"1="_s}},
        {"Windows-1250",
         "x;\x8elu\x9do\x75\xe8k\xfd k\xf9\xf2;y\r\n",
         "cj",
         {1},
         {u"1=Žluťoučký kůň"_s}},
        {"tags of 0 or less untouched", "a;1\r\nb;2\r\n", "cj", {0, 2, -1}, {u"2=2"_s}},
        {"NUL ends the text",
         QByteArray("a;1\r\nb;p\0q;r\r\nc;3\r\n", 20),
         "cj",
         {1, 2, 3},
         {u"1=1"_s, u"2=p"_s, outOfBounds.arg(2)}},
        {"no empty line after the final break",
         "a;1\r\n",
         "cj",
         {1, 2},
         {u"1=1"_s, outOfBounds.arg(1)}},
        {"empty file", "", "cj", {1}, {outOfBounds.arg(0)}},
        {"87 lines: the walk stops at tag 88, earlier captions stay",
         numberedLines(87),
         "cj",
         {1, 87, 88, 2},
         {u"1=cz1"_s, u"87=cz87"_s, outOfBounds.arg(87)}},
    };
    for (const Case &c : cases) {
        InTemporaryDirectory dir;
        writeCaptionFile(c.file);
        EXPECT_EQ(walk(QString::fromLatin1(c.language), c.tags), c.expected)
            << c.what << " (" << c.language << ")";
    }
}

TEST(Texts, SplitFieldCountsSeparators) {
    struct Case {
        const char *text;
        char separator;
        int k;
        const char *field;
    };
    const Case cases[] = {
        {"key;Czech;German", ';', 0, "key"},
        {";;;", ';', 3, ""},
        {"a;b", ';', 2, ""},
        {"", ';', 0, ""},
        {"a|b;c|d", '|', 1, "b;c"},
        {"a;b", ';', -1, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitField(QString::fromLatin1(c.text), QLatin1Char(c.separator), c.k),
                  QString::fromLatin1(c.field))
            << c.text << " " << c.k;
}

TEST(Texts, MissingFileNamesItsFullPathAndTheReason) {
    InTemporaryDirectory dir;
    try {
        readTextLines(QStringLiteral("texty.txt"));
        FAIL() << "no error";
    } catch (const Error &e) {
        const QString prefix = QStringLiteral("Cannot open file \"%1\". ")
                                   .arg(QDir(dir.path()).filePath(u"texty.txt"_s));
        EXPECT_TRUE(e.message().startsWith(prefix)) << e.message().toStdString();
        EXPECT_GT(e.message().size(), prefix.size()) << "the system's reason follows";
    }
}

TEST(Texts, ShippedCaptionFileCoversEveryCaptionNumber) {
    const QStringList lines =
        readTextLines(QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt"));
    ASSERT_EQ(lines.size(), 99);
    for (int n = 1; n <= 99; ++n) {
        const QString line = lines.at(n - 1);
        EXPECT_EQ(line.count(u';'), 2) << "line " << n;
        EXPECT_FALSE(SplitField(line, u';', 1).trimmed().isEmpty()) << "line " << n;
        EXPECT_FALSE(SplitField(line, u';', 2).trimmed().isEmpty()) << "line " << n;
    }
    // Group box captions stand off their frame by a space on each side.
    for (int n : {18, 19, 25, 38, 64})
        for (int field : {1, 2}) {
            const QString text = SplitField(lines.at(n - 1), u';', field);
            EXPECT_TRUE(text.startsWith(u' ') && text.endsWith(u' ')) << "line " << n;
        }
    EXPECT_EQ(SplitField(lines.at(17), u';', 1), QStringLiteral(" Základní údaje o firmě "));
    EXPECT_EQ(SplitField(lines.at(98), u';', 2), QStringLiteral("Die Angaben sind vertraulich."));
}
