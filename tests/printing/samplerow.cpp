#include "tests/printing/samplerow.h"

#include <QDate>

namespace varnok::test {

namespace {

QString nn(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

struct ProductRow {
    int hectares;
    double yield; // t/ha
    int price;    // Kč/t
    int planned;  // t
};

// Rows 01 to 16 of the production table; 17 to 19 count in the totals.
const ProductRow kProducts[19] = {
    {320, 6.8, 4350, 540}, {180, 5.9, 4100, 260}, {95, 6.2, 3900, 140}, {140, 3.4, 9800, 120},
    {60, 2.9, 8200, 40},   {210, 8.5, 3700, 450}, {45, 35.0, 720, 380}, {75, 52.0, 610, 950},
    {30, 4.1, 6100, 30},   {120, 9.8, 1900, 290}, {25, 2.2, 14500, 12}, {15, 1.8, 21000, 6},
    {40, 7.1, 4000, 70},   {55, 6.0, 4250, 80},   {12, 28.0, 1500, 85}, {8, 3.0, 11000, 5},
    {0, 0, 0, 0},          {0, 0, 0, 0},          {0, 0, 0, 0},
};

const int kSales[11] = {1850000, 420000,  2315000, 960000, 188500, 74200,
                        612000,  1240000, 95400,   33000,  451900};
const int kSalesBefore[11] = {1710000, 398000,  2102500, 1015000, 176000, 80500,
                              590000,  1120000, 88000,   29500,   402000};

} // namespace

report::MemoryDataSet sampleRow() {
    report::MemoryDataSet row;
    auto set = [&row](const QString &name, const QVariant &value) { row.set(name, value); };
    set(QStringLiteral("id"), 17);
    set(QStringLiteral("ico"), QStringLiteral("46345701"));
    set(QStringLiteral("rok"), 2017);
    set(QStringLiteral("nazevpodni"),
        QStringLiteral("Zemědělské družstvo Žďár nad Sázavou, družstvo"));
    set(QStringLiteral("ulicecislo"), QStringLiteral("Nádražní 1287/12"));
    set(QStringLiteral("posta"), QStringLiteral("Žďár nad Sázavou"));
    set(QStringLiteral("psc"), QStringLiteral("591 01"));
    set(QStringLiteral("kod_platce"), QStringLiteral("CZ46345701"));
    set(QStringLiteral("kod_par"), QStringLiteral("ZD1024"));
    set(QStringLiteral("partner"), QStringLiteral("Ing. Jiří Dvořák"));
    set(QStringLiteral("dealer"), QStringLiteral("Vysočina/67"));
    set(QStringLiteral("telefon"), QStringLiteral("+420 566 621 345"));
    set(QStringLiteral("emailobj"), QStringLiteral("objednavky@zdzdar.cz"));
    set(QStringLiteral("zem_puda_vlast"), 860);
    set(QStringLiteral("zem_puda_najem"), 1425);
    set(QStringLiteral("zem_puda_celkem"), 2285);
    set(QStringLiteral("plateb_moralka"), QStringLiteral("výborná, platby vždy v termínu"));
    set(QStringLiteral("financ_situace"), QStringLiteral("stabilní, úvěr u ČSOB splácen"));
    set(QStringLiteral("dosav_spoluprace"), QStringLiteral("od roku 1998 bez problémů"));

    int sales = 0, salesBefore = 0;
    for (int i = 0; i < 11; ++i) {
        set(QStringLiteral("prodej%1").arg(nn(i + 1)), kSales[i]);
        set(QStringLiteral("prodej%1_min").arg(nn(i + 1)), kSalesBefore[i]);
        sales += kSales[i];
        salesBefore += kSalesBefore[i];
    }
    set(QStringLiteral("prodejce"), sales);
    set(QStringLiteral("prodejce_min"), salesBefore);

    int hekt = 0, celk = 0, suma = 0, planPv = 0, plan = 0;
    for (int r = 1; r <= 20; ++r) {
        const QString n = nn(r);
        const ProductRow p = r <= 19 ? kProducts[r - 1] : ProductRow{0, 0, 0, 0};
        set(QStringLiteral("prod%1_nahe").arg(n), p.yield);
        set(QStringLiteral("prod%1_cena").arg(n), p.price);
        if (r == 20)
            break;
        const int quantity = int(p.hectares * p.yield);
        set(QStringLiteral("prod%1_hekt").arg(n), p.hectares);
        set(QStringLiteral("prod%1_celk").arg(n), quantity);
        set(QStringLiteral("prod%1_suma").arg(n), quantity * p.price);
        set(QStringLiteral("plan%1_pv").arg(n), p.planned);
        set(QStringLiteral("plan%1").arg(n), p.planned * p.price);
        hekt += p.hectares;
        celk += quantity;
        suma += quantity * p.price;
        planPv += p.planned;
        plan += p.planned * p.price;
    }
    set(QStringLiteral("prodce_hekt"), hekt);
    set(QStringLiteral("prodce_celk"), celk);
    set(QStringLiteral("prodce_suma"), suma);
    set(QStringLiteral("plance_pv"), planPv);
    set(QStringLiteral("plance"), plan);

    const int liabilities = 1380000;
    const int request = 4500000;
    set(QStringLiteral("zavazky"), liabilities);
    set(QStringLiteral("prodej"), sales);
    set(QStringLiteral("prodej_min"), salesBefore);
    set(QStringLiteral("pohledavky"), liabilities + sales);
    set(QStringLiteral("nakup"), plan);
    set(QStringLiteral("nakup_min"), 7950000);
    set(QStringLiteral("produkce"), suma);
    set(QStringLiteral("zajisteni"), int(100.0 * plan / (liabilities + sales)));
    set(QStringLiteral("zajisteni2"), int(100.0 * suma / (liabilities + sales)));
    set(QStringLiteral("zadost"), request);
    set(QStringLiteral("zadost_min"), 3800000);
    set(QStringLiteral("kredit"), request * 1.21);
    set(QStringLiteral("pozn_zajisteni"),
        QStringLiteral(
            "Zajištění blankosměnkou s avalem statutárních zástupců a zástavou sklizně ozimé "
            "pšenice "
            "(Žďár, sklad Nádražní). Pojištění úrody u Kooperativy sjednáno do 31. 10."));
    set(QStringLiteral("pozn_duvod"),
        QStringLiteral("Rozšíření osevní plochy o 180 ha pronajaté půdy v katastru Polnička;\r\n"
                       "nákup osiva, hnojiv a přípravků na ochranu rostlin pro jarní setí."));
    set(QStringLiteral("priznani"), QDate(2017, 3, 14));
    return row;
}

} // namespace varnok::test
