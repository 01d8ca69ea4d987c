#!/bin/sh
# Configure (once) and build into ${BUILD_DIR:-build} with Ninja. Arguments go to the build
# ("--target tavolin" builds the program alone).
set -e
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$BUILD_DIR" --parallel "${JOBS:-$(nproc)}" "$@"
