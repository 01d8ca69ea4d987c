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

# The Flash player the web views load for pages that hold Flash: npm's @ruffle-rs/ruffle, version
# and checksum pinned, fetched with the ordinary npm client and unpacked into a cache outside the
# source tree, from which the build copies it into the program's shared data. Where it cannot be
# had (no network, no npm) the build still succeeds and pages show Flash as an empty box.
RUFFLE_VERSION=0.6.0
RUFFLE_SHA512=3f65f5cc310d06888bb766633dcb14cda0f1a11edf545d9ed54fdb8bb85b2004048e4ca4c658d2a06f0081bcb01ef9555732fd639b4864c46a0f0226df58e03c
RUFFLE_CACHE=${TAVOLIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavolin}
RUFFLE_DIR="$RUFFLE_CACHE/ruffle-$RUFFLE_VERSION"
fetch_ruffle() {
    if ! command -v npm >/dev/null 2>&1; then
        echo "installing: nodejs npm"
        if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
        $SUDO apt-get install -y -qq --no-install-recommends nodejs npm || return 1
    fi
    work=$(mktemp -d "$RUFFLE_CACHE/fetch.XXXXXX") || return 1
    (
        cd "$work" &&
            npm pack --silent "@ruffle-rs/ruffle@$RUFFLE_VERSION" >/dev/null &&
            echo "$RUFFLE_SHA512  ruffle-rs-ruffle-$RUFFLE_VERSION.tgz" | sha512sum -c --quiet - &&
            tar -xzf "ruffle-rs-ruffle-$RUFFLE_VERSION.tgz" &&
            test -f package/ruffle.js
    ) || {
        rm -rf "$work"
        return 1
    }
    rm -rf "$RUFFLE_DIR"
    mv "$work/package" "$RUFFLE_DIR" && rm -rf "$work"
}
if [ ! -f "$RUFFLE_DIR/ruffle.js" ]; then
    mkdir -p "$RUFFLE_CACHE"
    echo "fetching the Flash player (@ruffle-rs/ruffle $RUFFLE_VERSION) into $RUFFLE_DIR"
    fetch_ruffle || echo "warning: the Flash player could not be fetched; pages show Flash as an empty box" >&2
fi
