#include "common/error.h"
#include "texts/splitfield.h"
#include "texts/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace varnok;

namespace {

QStringList readBytes(const QByteArray &bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("texty.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    return readTextLines(path);
}

} // namespace

TEST(Texts, SplitField) {
    struct Case {
        const char *text;
        int k;
        const char *field;
    };
    const Case cases[] = {
        {"key;Czech;German", 1, "Czech"},   {"key;Czech;German", 2, "German"}, {"key;Czech;German", 0, "key"},
        {"key;;German", 1, ""},             {"key;;German", 2, "German"},      {"no separator", 1, ""},
        {"a;b", 2, ""},                     {"k; Přehled o firmě ;x", 1, " Přehled o firmě "},
        {"a;b;c;d", 2, "c"},                {"", 1, ""},                       {";;;", 3, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitField(QString::fromUtf8(c.text), u';', c.k), QString::fromUtf8(c.field)) << c.text << " " << c.k;
}

TEST(Texts, LinesAndEncoding) {
    struct Case {
        const char *what;
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"CR LF", QByteArray("a;1\r\nb;2\r\n"), {QStringLiteral("a;1"), QStringLiteral("b;2")}},
        {"LF", QByteArray("a;1\nb;2\n"), {QStringLiteral("a;1"), QStringLiteral("b;2")}},
        {"CR", QByteArray("a;1\rb;2\r"), {QStringLiteral("a;1"), QStringLiteral("b;2")}},
        {"mixed, no final break", QByteArray("a\r\nb\rc\nd"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {"empty line kept", QByteArray("a\n\nb\n"), {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"NUL ends the text", QByteArray("a\nb\0c\nd\n", 9), {QStringLiteral("a"), QStringLiteral("b")}},
        {"Windows-1250", QByteArray("x;\x8e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd\n"), {QStringLiteral("x;Žluťoučký")}},
        {"empty file", QByteArray(), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readBytes(c.bytes), c.lines) << c.what;
}

TEST(Texts, MissingFileNamesItsFullPath) {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    try {
        readTextLines(QStringLiteral("texty.txt"));
        FAIL();
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot open file \"%1/texty.txt\". ").arg(QDir::currentPath())))
            << e.message().toStdString();
    }
    QDir::setCurrent(old);
}

TEST(Texts, CaptionWalkStopsAtATagBeyondTheFile) {
    QStringList lines;
    for (int i = 1; i <= 87; ++i)
        lines << QStringLiteral("k%1;cz%1;de%1").arg(i);
    QStringList set;
    std::vector<CaptionTarget> targets;
    for (int tag : {1, 0, 87, -3, 88, 2})
        targets.emplace_back(tag, [&set, tag](const QString &t) { set << QStringLiteral("%1=%2").arg(tag).arg(t); });
    try {
        applyCaptions(lines, captionField(QStringLiteral("cj")), targets);
        FAIL();
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("List index out of bounds (87)"));
    }
    EXPECT_EQ(set, (QStringList{QStringLiteral("1=cz1"), QStringLiteral("87=cz87")}));
}

TEST(Texts, LanguageCodeChoosesTheField) {
    EXPECT_EQ(captionField(QStringLiteral("cj")), 1);
    EXPECT_EQ(captionField(QStringLiteral("nj")), 2);
    EXPECT_EQ(captionField(QStringLiteral("CJ")), 2);
    EXPECT_EQ(captionField(QString()), 2);
}

TEST(Texts, ShippedCaptionFileCoversEveryCaptionNumber) {
    const QStringList lines = readTextLines(QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt"));
    ASSERT_EQ(lines.size(), 99) << "txt_ variables wrap at 100 lines";
    for (int n = 1; n <= 99; ++n) {
        const QString line = lines.at(n - 1);
        EXPECT_EQ(line.count(u';'), 2) << n;
        EXPECT_FALSE(SplitField(line, u';', 1).trimmed().isEmpty()) << n;
        EXPECT_FALSE(SplitField(line, u';', 2).trimmed().isEmpty()) << n;
    }
    EXPECT_EQ(SplitField(lines.at(17), u';', 1), QStringLiteral(" Základní údaje o firmě "));
}
