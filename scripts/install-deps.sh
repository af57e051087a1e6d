#!/usr/bin/env bash
# Installs everything the build, the tests and the Wine runs need, from Debian's packages only.
# Idempotent: when every package is present it returns at once without touching apt.
set -euo pipefail

packages=(
    cmake ninja-build g++ dpkg-dev                       # native build; dpkg-dev unpacks Debian source packages
    g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64   # the Windows cross toolchain
    nasm                                                  # libjpeg-turbo's SIMD decoder for the Windows target
    libgtest-dev googletest libbenchmark-dev              # native tests and benchmarks; googletest's source for MinGW
    wine64 wine xvfb                                      # running PC1.exe and its tests
    fonts-wine fonts-liberation locales                   # faces with Turkish glyphs; the tr_TR locale for Wine
    imagemagick xdotool x11-utils x11-xkb-utils           # screenshots, real X input, keypad keycodes (xkbcomp)
    pngquant                                              # the README's screenshots kept small (tools/screens)
    xserver-xephyr x11-xserver-utils                      # two monitors (Xinerama), a resolution change (xrandr), the Turkish letters' keys (xmodmap)
    nsis                                                  # the installer PC1-<version>-setup.exe (release target)
    clang libclang-rt-14-dev                              # the text core's fuzz target: libFuzzer and sanitizers
    clang-format                                          # the sources kept in the project's format
    cups printer-driver-cups-pdf poppler-utils libcups2   # a PDF printer queue for the exam record's print test
    python3                                               # the print tests' spooler gate and PDF checks
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# libjpeg for the Windows target is built from Debian's own source package, which needs a deb-src entry
# for the mirror this machine already uses.
ensure_deb_src() {
    if grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 1
    fi
    local src=/etc/apt/sources.list.d/debian.sources
    if [ -f "$src" ]; then
        sed 's/^Types: deb$/Types: deb-src/' "$src" | sudo_if_needed tee /etc/apt/sources.list.d/pc1-deb-src.sources >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            | sudo_if_needed tee /etc/apt/sources.list.d/pc1-deb-src.list >/dev/null
    fi
    return 0
}

added_src=0
ensure_deb_src && added_src=1

if [ ${#missing[@]} -gt 0 ] || [ $added_src -eq 1 ] || ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1; then
    echo "Installing: ${missing[*]:-(package lists only)}"
    sudo_if_needed apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
        sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
fi
