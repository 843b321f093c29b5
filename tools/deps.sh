# Sourced by ./play and ./test: installs the Debian packages a step needs, only those missing.
# shellcheck shell=bash

ZARNOWELL_BUILD_PACKAGES=(cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
    libglew-dev libopencv-imgcodecs-dev libsdl2-dev libfreetype-dev fonts-urw-base35)
ZARNOWELL_TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth
    xdotool imagemagick x11-utils desktop-file-utils)
# The package test validates the AppStream metadata and runs Debian's own checks on the package.
ZARNOWELL_TEST_PACKAGES+=(appstream lintian)
# ./package: dpkg-shlibdeps works out the package's dependencies.
ZARNOWELL_PACKAGE_PACKAGES=(dpkg-dev file)
# ./play without DISPLAY: Xvfb with a cookie from xauth, screenshots with import.
ZARNOWELL_HEADLESS_PACKAGES=(xvfb xauth imagemagick)

zarnowell_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q >&2
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}
