#!/bin/sh
# Installs the Debian packages the build, the program, its tests and its Debian package
# need, only when some are missing. Runs apt-get as root (directly or via sudo).
# Spreadsheets: libxlsxwriter (found with pkg-config); python3-openpyxl reads them back in
# the tests. For the package: dpkg-dev (dpkg-shlibdeps fills in its dependencies), librsvg2-bin
# (draws the icon's PNG sizes from its SVG), desktop-file-utils and appstream (check the
# menu entry and the metainfo), man-db (checks the manual page).
set -e

PACKAGES="g++ cmake ninja-build qt6-base-dev qt6-pdf-dev libsqlite3-dev libicu-dev \
libjpeg62-turbo-dev fonts-noto-cjk googletest libgtest-dev libgmock-dev \
qt6-translations-l10n poppler-utils xvfb xauth imagemagick python3 \
libxlsxwriter-dev pkg-config python3-openpyxl \
dpkg-dev librsvg2-bin desktop-file-utils appstream man-db"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "Missing packages:$missing -- run this script as root." >&2
    exit 1
fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
