#!/bin/sh
# The one list of Debian packages the build, the tests, the emulator and ./run need.
# Idempotent: installs with apt-get only what is missing.
set -e
PACKAGES="cmake ninja-build g++ ccache pkg-config \
qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-httpserver-dev qt6-websockets-dev qt6-tools-dev \
libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev \
xvfb xauth xdotool x11-utils openbox fonts-noto-cjk fonts-arphic-ukai \
qt6-translations-l10n libqt6svg6 imagemagick libvips-tools python3-zeep"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
