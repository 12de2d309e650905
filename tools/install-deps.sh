#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, asking
# apt only for what is missing so a second run costs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libgif-dev libtiff-dev
  libsane-dev sane-utils libsane1
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  libopencv-dev opencv-data
  cups printer-driver-cups-pdf poppler-utils
  # HEIC and WebP photos, colour profiles (tificc cross-checks the tests)
  libheif-dev libwebp-dev liblcms2-dev liblcms2-utils
)
# Qt's own dialog texts in Brazilian Portuguese.
packages+=(qt6-translations-l10n)
# The packaging check (tools/package-check.sh) builds and lints the .deb.
if [[ "${QUENDA_WITH_PACKAGING:-0}" == 1 ]]; then
  packages+=(dpkg-dev file lintian desktop-file-utils appstream)
fi
# tools/fuzz.sh: clang and its libFuzzer and sanitizer runtimes.
if [[ "${QUENDA_WITH_FUZZ:-0}" == 1 ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
