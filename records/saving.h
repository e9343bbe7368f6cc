#pragma once

#include <QString>

namespace varnok {

class ZConnection;
class ZField;
class ZQuery;

namespace saving {

// "update adresarbor set kreditnavi = <amount> where ico = "<ico>"": the
// requested amount as a bare number with a decimal point, the company
// number escaped. An empty amount is refused with a message instead of
// sending a statement the server would reject.
QString orderDataStatement(ZConnection &c, const ZField &zadost, const QString &ico);

// Posts the open row, commits it, begins the next transaction and reads
// the row back: the save's steps up to the reopened row. When the commit
// fails the row is put back as it was before the post, so the user's
// values stay on screen, still marked as changed.
void commitRow(ZQuery &q);

} // namespace saving
} // namespace varnok
