#include "records/saving.h"

#include "common/error.h"
#include "records/query.h"

namespace varnok::saving {

QString orderDataStatement(ZConnection &c, const ZField &zadost, const QString &ico) {
    if (zadost.isNull())
        throw Error(
            QStringLiteral("Není vyplněna požadovaná částka kreditu, do objednávek nebylo nic "
                           "uloženo."));
    // The amount goes in as the server reads numbers, whatever the
    // decimal separator of the window.
    const QString amount = zadost.kind() == ZField::Kind::Integer
                               ? QString::number(qint64(zadost.value().toLongLong()))
                               : QString::number(zadost.asFloat(), 'g', 15);
    return QStringLiteral("update adresarbor set kreditnavi = ") + amount +
           QStringLiteral(" where ico = \"") + c.escape(ico) + QStringLiteral("\"");
}

void commitRow(ZQuery &q) {
    const ZQuery::Snapshot before = q.snapshot();
    if (q.state() == DataSetState::Edit)
        q.post();
    const QStringList rowSelect = q.sql();

    // The transaction statements go through a second query on the same
    // connection, so that the row stays visible until it is read back.
    ZQuery tx(q.connection());
    tx.sql() << QStringLiteral("commit");
    try {
        tx.execSQL();
    } catch (...) {
        q.restore(before);
        throw;
    }
    tx.sql().clear();
    tx.sql() << QStringLiteral("start transaction");
    tx.execSQL();

    q.sql().clear();
    q.sql() << rowSelect;
    q.open();
}

} // namespace varnok::saving
