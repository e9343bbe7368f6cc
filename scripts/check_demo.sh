#!/usr/bin/env bash
# Checks that the derived figures of the demo applications agree with the
# rules the program recomputes them by, so that a demo row opened in the
# program changes nothing until the user types.
#
#   scripts/check_demo.sh [<db dir>]
#
# Loads db/schema.sql and db/demo.sql into a throwaway database on the
# server of <db dir> (default: the test server build/test-db, or the one
# named by VARNOK05_TEST_PORT/_SOCKET) and lists every violated rule.
# Exit status 0 when all hold.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ $# -ge 1 ]; then
  # shellcheck disable=SC1091
  . "$1/env"
  SOCKET=$VARNOK05_DB_SOCKET
elif [ -n "${VARNOK05_TEST_SOCKET:-}" ]; then
  SOCKET=$VARNOK05_TEST_SOCKET
else
  # shellcheck disable=SC1091
  . "$ROOT/build/test-db/env"
  SOCKET=$VARNOK05_DB_SOCKET
fi
DB=demo_check_$$

sql() {
  mariadb --no-defaults --protocol=socket --socket="$SOCKET" --user=varnok --password=kredit05 \
    --default-character-set=utf8mb4 --batch --skip-column-names "$@"
}

# One SELECT per rule: it returns "application: rule" for each row that
# breaks it. NULL reads as 0, as in the program.
rules() {
  local n c
  for n in $(seq -w 1 19); do
    echo "select concat(ico, '/', rok, ': prod${n}_celk') from zadost_kredit where ifnull(prod${n}_celk, 0) <> truncate(ifnull(prod${n}_hekt, 0) * ifnull(prod${n}_nahe, 0), 0)"
    echo "select concat(ico, '/', rok, ': prod${n}_suma') from zadost_kredit where ifnull(prod${n}_suma, 0) <> ifnull(prod${n}_celk, 0) * ifnull(prod${n}_cena, 0)"
    echo "select concat(ico, '/', rok, ': plan${n}') from zadost_kredit where ifnull(plan${n}, 0) <> ifnull(plan${n}_pv, 0) * ifnull(prod${n}_cena, 0)"
  done
  for c in prodce_hekt:prod%s_hekt prodce_celk:prod%s_celk prodce_suma:prod%s_suma plance_pv:plan%s_pv plance:plan%s; do
    local total=${c%%:*} fmt=${c#*:} sum=""
    for n in $(seq -w 1 19); do
      # shellcheck disable=SC2059
      sum+="${sum:+ + }ifnull($(printf "$fmt" "$n"), 0)"
    done
    echo "select concat(ico, '/', rok, ': $total') from zadost_kredit where ifnull($total, 0) <> $sum"
  done
  local sales="" sales_min=""
  for n in $(seq -w 1 11); do
    sales+="${sales:+ + }ifnull(prodej$n, 0)"
    sales_min+="${sales_min:+ + }ifnull(prodej${n}_min, 0)"
  done
  cat <<EOF
select concat(ico, '/', rok, ': prodejce') from zadost_kredit where ifnull(prodejce, 0) <> $sales
select concat(ico, '/', rok, ': prodejce_min') from zadost_kredit where ifnull(prodejce_min, 0) <> $sales_min
select concat(ico, '/', rok, ': zem_puda_celkem') from zadost_kredit where ifnull(zem_puda_celkem, 0) <> ifnull(zem_puda_vlast, 0) + ifnull(zem_puda_najem, 0)
select concat(ico, '/', rok, ': prodej') from zadost_kredit where ifnull(prodej, 0) <> ifnull(prodejce, 0)
select concat(ico, '/', rok, ': prodej_min') from zadost_kredit where ifnull(prodej_min, 0) <> ifnull(prodejce_min, 0)
select concat(ico, '/', rok, ': nakup') from zadost_kredit where ifnull(nakup, 0) <> ifnull(plance, 0)
select concat(ico, '/', rok, ': produkce') from zadost_kredit where ifnull(produkce, 0) <> ifnull(prodce_suma, 0)
select concat(ico, '/', rok, ': pohledavky') from zadost_kredit where ifnull(pohledavky, 0) <> ifnull(zavazky, 0) + ifnull(prodej, 0)
select concat(ico, '/', rok, ': zajisteni') from zadost_kredit where ifnull(zajisteni, 0) <> if(ifnull(pohledavky, 0) = 0, 0, ifnull(nakup, 0) * 100 div pohledavky)
select concat(ico, '/', rok, ': zajisteni2') from zadost_kredit where ifnull(zajisteni2, 0) <> if(ifnull(pohledavky, 0) = 0, 0, ifnull(produkce, 0) * 100 div pohledavky)
select concat(ico, '/', rok, ': kredit') from zadost_kredit where ifnull(kredit, 0) <> ifnull(zadost, 0) * 1.21
select concat(z.ico, '/', z.rok, ': dealer') from zadost_kredit z join adresar a on a.ico = z.ico join dealertopc d on d.dealer = a.dealer where z.dealer <> concat(d.jmeno, '/', d.dealer)
select concat(z.ico, '/', z.rok, ': filled product rows') from zadost_kredit z where ($(for n in $(seq -w 1 19); do printf '(prod%s_hekt is not null) + ' "$n"; done)0) not between 6 and 10
select concat(z.ico, '/', z.rok, ': previous-year sales') from zadost_kredit z join zadost_kredit p on p.ico = z.ico and p.rok = z.rok - 1 where not ($(for n in $(seq -w 1 11); do printf 'z.prodej%s_min <=> p.prodej%s and ' "$n" "$n"; done)z.prodejce_min <=> p.prodejce)
select 'companies without an application: not exactly one' from dual where (select count(*) from adresar a where not exists (select 1 from zadost_kredit z where z.ico = a.ico)) <> 1
select 'companies without order data: not exactly one' from dual where (select count(*) from adresar a where not exists (select 1 from adresarbor b where b.ico = a.ico)) <> 1
select 'demo company $(sed -n 's/^DEMO_ICO=//p' "$ROOT/run.sh"): not three applications 2016-2018' from dual where (select count(distinct rok) from zadost_kredit where ico = '$(sed -n 's/^DEMO_ICO=//p' "$ROOT/run.sh")' and rok in (2016, 2017, 2018)) <> 3
EOF
}

trap 'sql -e "drop database if exists $DB" || true' EXIT
sql -e "create database $DB character set utf8mb4 collate utf8mb4_czech_ci"
sql "$DB" <"$ROOT/db/schema.sql"
sql "$DB" <"$ROOT/db/demo.sql"
query=$(rules | paste -sd'\n' | sed 's/$/ union all/' | sed '$ s/ union all$//')
violations=$(sql "$DB" -e "$query")
rows=$(sql "$DB" -e "select count(*) from zadost_kredit")
if [ -n "$violations" ]; then
  echo "demo data: rules broken:" >&2
  echo "$violations" >&2
  exit 1
fi
echo "demo data: $rows applications, all derived figures consistent"
