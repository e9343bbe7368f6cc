#pragma once

#include "common/error.h"

#include <QString>

namespace varnok::report {

// The file errors as the user sees them: the full path and the system's
// reason.
Error cannotOpenFile(const QString &path, const QString &reason);
Error cannotCreateFile(const QString &path, const QString &reason);

// Writes bytes to a file through a temporary file in the same directory
// that replaces the target only when everything was written, so a failure
// leaves an existing file as it was. Throws cannotCreateFile.
void writeFileReplacing(const QString &path, const QByteArray &bytes);

} // namespace varnok::report
