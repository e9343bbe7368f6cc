#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace varnok::fuzz {

QString writeInputFile(const uint8_t *data, size_t size) {
    // One directory per process, removed at exit; a crashed run leaves it
    // under TMPDIR, which the fuzz runner deletes.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/varnok05-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void check(bool condition, const char *what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz: invariant broken: %s\n", what);
    std::abort();
}

} // namespace varnok::fuzz
