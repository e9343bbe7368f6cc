#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, run and test.
# Only what is missing is installed; when everything is present no apt
# command runs at all, so a repeated call costs one dpkg-query.
set -euo pipefail

PACKAGES=(
  # tool chain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev python3
  # Qt 6 Widgets and printing
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-translations-l10n libgl-dev libxcb1-dev
  # database: client library and the private test/demo server
  libmariadb-dev libmariadb3 mariadb-server mariadb-client
  # PDF, spreadsheet and mail exports of the print
  libhpdf-dev libxlsxwriter-dev libcurl4-openssl-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the spreadsheet export test reads the workbook back
  unzip
  # X server and tools for the tests that need a real display
  xvfb xauth xdotool imagemagick poppler-utils
  # fonts for the window and the PDF
  fonts-liberation fonts-dejavu-core
)

missing_packages() {
  # Packages dpkg does not know at all are absent from the output, so
  # compare against the full list instead of parsing errors.
  local installed
  installed=$(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${PACKAGES[@]}" 2>/dev/null |
    awk '$2 == "ii" { print $1 }' || true)
  local p
  for p in "${PACKAGES[@]}"; do
    grep -qxF -- "$p" <<<"$installed" || echo "$p"
  done
}

mapfile -t MISSING < <(missing_packages)
if [ "${#MISSING[@]}" -eq 0 ]; then
  exit 0
fi

echo "deps: installing ${MISSING[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  AS_ROOT=()
elif command -v sudo >/dev/null 2>&1; then
  AS_ROOT=(sudo)
else
  echo "deps: missing packages (${MISSING[*]}) and neither root nor sudo available" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
APT_OPTS=(-y -q -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
"${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
"${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install "${APT_OPTS[@]}" --no-install-recommends "${MISSING[@]}" </dev/null

mapfile -t STILL < <(missing_packages)
if [ "${#STILL[@]}" -ne 0 ]; then
  echo "deps: still missing after installation: ${STILL[*]}" >&2
  exit 1
fi
