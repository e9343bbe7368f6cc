#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace varnok {

// The caption file: opened by the name given (the program passes the bare
// "texty.txt", so it is found in the current directory), Windows-1250
// bytes, lines broken at CR LF, CR or LF, a NUL ending the text. Throws
// "Cannot open file "%s". %s" with the full path and the system's reason.
QStringList readTextLines(const QString &fileName);

// The field of a line that holds a language: 1 for "cj" (Czech, exact),
// 2 for any other code.
int captionField(const QString &language);

// Sets each target's caption to field `field` of line `tag` (counted from
// 1), in the order given; targets with a tag of 0 or less are left alone.
// A tag beyond the lines stops the walk with "List index out of bounds
// (%d)" (tag - 1); captions set before it stay.
using CaptionTarget = std::pair<int, std::function<void(const QString &)>>;
void applyCaptions(const QStringList &lines, int field, const std::vector<CaptionTarget> &targets);

} // namespace varnok
