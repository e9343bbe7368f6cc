#include "printing/fileerrors.h"

#include <QDir>
#include <QSaveFile>

namespace varnok::report {

Error cannotOpenFile(const QString &path, const QString &reason) {
    return Error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
}

Error cannotCreateFile(const QString &path, const QString &reason) {
    return Error(QStringLiteral("Cannot create file \"%1\". %2")
                     .arg(QDir::toNativeSeparators(path), reason));
}

void writeFileReplacing(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // No fallback to writing the target in place: that would destroy the
    // old file when the directory does not take a temporary one.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreateFile(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw cannotCreateFile(path, reason);
    }
    if (!file.commit())
        throw cannotCreateFile(path, file.errorString());
}

} // namespace varnok::report
