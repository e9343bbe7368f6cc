#include "records/opening.h"

#include "common/error.h"
#include "records/query.h"

namespace varnok::opening {

namespace {

QString quoted(ZConnection &c, const QString &value) {
    return u'"' + c.escape(value) + u'"';
}

QString nn(int row) {
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

// Prices or yields of the year's first application that has them:
// statement 7 or 10 of the generation (suffix "_cena" or "_nahe").
QStringList firstOfYear(const QString &suffix, const QString &year) {
    auto cols = [&suffix](int from, int to) {
        QStringList names;
        for (int r = from; r <= to; ++r)
            names << QStringLiteral("prod") + nn(r) + suffix;
        return names.join(QStringLiteral(", "));
    };
    return {QStringLiteral("create temporary table _zadost_kredit select rok, ") + cols(1, 4) +
                u',',
            cols(5, 10) + u',',
            cols(11, 14) + u',',
            cols(15, 20),
            QStringLiteral("from zadost_kredit where"),
            QStringLiteral("rok = ") + year + QStringLiteral(" and prod01") + suffix +
                QStringLiteral(" <> 0 order by id limit 0,1")};
}

// Copies them into the new row: statement 8 or 11.
QStringList copyOfYear(const QString &suffix, const QString &ico, const QString &year) {
    QStringList lines{QStringLiteral("update zadost_kredit, _zadost_kredit set")};
    for (int r = 1; r <= 20; ++r) {
        const QString col = QStringLiteral("prod") + nn(r) + suffix;
        lines << QStringLiteral(" zadost_kredit.") + col + QStringLiteral(" = _zadost_kredit.") +
                     col + (r < 20 ? QStringLiteral(",") : QString());
    }
    lines << QStringLiteral(" where zadost_kredit.ico = ") + ico +
                 QStringLiteral(" and zadost_kredit.rok = ") + year +
                 QStringLiteral(" and zadost_kredit.rok = _zadost_kredit.rok");
    return lines;
}

} // namespace

QString rowSelect(ZConnection &c, const QString &ico, const QString &year) {
    return QStringLiteral("select * from zadost_kredit where ico = ") + quoted(c, ico) +
           QStringLiteral(" and rok = ") + quoted(c, year);
}

QString previousYear(const QString &year) {
    return QString::number(toIntOrThrow(year) - 1);
}

std::vector<QStringList> generation(ZConnection &c, const QString &icoText,
                                    const QString &yearText) {
    const QString ico = quoted(c, icoText);
    const QString year = quoted(c, yearText);
    const QString previous = quoted(c, previousYear(yearText));
    const QString drop = QStringLiteral("drop temporary table if exists _zadost_kredit");

    std::vector<QStringList> s;
    s.push_back({QStringLiteral(
                     "insert into zadost_kredit (ico, kod_par, nazevpodni, ulicecislo, posta, psc, "
                     "kod_platce, partner, dealer, telefon, emailobj, rok)"),
                 QStringLiteral(
                     "select ico, kodpar, nazevpodni, ulicecislo, posta, psc, kod_platce, partner, "
                     "dealer, telefon, emailobj, ") +
                     year,
                 QStringLiteral("from adresar where ico = ") + ico});
    s.push_back(
        {QStringLiteral(
             "update zadost_kredit, dealertopc set zadost_kredit.dealer = "
             "concat(dealertopc.jmeno, \"/\", zadost_kredit.dealer) where zadost_kredit.ico = ") +
         ico + QStringLiteral(" and zadost_kredit.dealer = dealertopc.dealer")});
    s.push_back({drop});
    s.push_back(
        {QStringLiteral("create temporary table _zadost_kredit select ico, prodej01, prodej02, "
                        "prodej03, prodej04,"),
         QStringLiteral(
             "prodej05, prodej06, prodej07, prodej08, prodej09, prodej10, prodej11, prodejce "
             "from zadost_kredit where"),
         QStringLiteral("ico = ") + ico + QStringLiteral(" and rok = ") + previous});
    QStringList sales{
        QStringLiteral("update zadost_kredit, _zadost_kredit set zadost_kredit.prodej01_min = "
                       "_zadost_kredit.prodej01,")};
    for (int r = 2; r <= 11; ++r)
        sales
            << QStringLiteral(" zadost_kredit.prodej%1_min = _zadost_kredit.prodej%1,").arg(nn(r));
    sales << QStringLiteral(" zadost_kredit.prodejce_min = _zadost_kredit.prodejce");
    sales << QStringLiteral(" where zadost_kredit.ico = ") + ico +
                 QStringLiteral(" and zadost_kredit.rok = ") + year +
                 QStringLiteral(" and zadost_kredit.ico = _zadost_kredit.ico");
    s.push_back(sales);
    s.push_back({drop});
    s.push_back(firstOfYear(QStringLiteral("_cena"), year));
    s.push_back(copyOfYear(QStringLiteral("_cena"), ico, year));
    s.push_back({drop});
    s.push_back(firstOfYear(QStringLiteral("_nahe"), year));
    s.push_back(copyOfYear(QStringLiteral("_nahe"), ico, year));
    s.push_back({drop});
    return s;
}

void selectRow(ZQuery &q, const QString &ico, const QString &year) {
    q.close();
    q.sql().clear();
    q.sql() << rowSelect(*q.connection(), ico, year);
    q.open();
}

void runStatement(ZQuery &q, const QStringList &lines) {
    q.close();
    q.sql().clear();
    q.sql() << lines;
    q.execSQL();
}

void runStatement(ZQuery &q, const QString &line) {
    runStatement(q, QStringList{line});
}

} // namespace varnok::opening
