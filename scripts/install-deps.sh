#!/usr/bin/env bash
# Brings a fresh Debian machine to the state the build and the tests need.
# Idempotent: packages already present are left alone; nothing is fetched
# from anywhere but Debian's own archive.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  zlib1g-dev libdeflate-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev googletest
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
  libz-mingw-w64-dev
  wine wine32:i386 wine64
  xvfb xauth x11-utils xdotool imagemagick
  clang libclang-rt-14-dev llvm
  libpixman-1-dev
  zip unzip python3
  osslsigncode openssl
  locales xclip
  fonts-wqy-microhei  # Chinese and Japanese characters in Wine's windows
)

missing() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || echo "$p"
  done
}

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  NEED_UPDATE=1
fi

# A mirror in the middle of a sync can fail an index or two; the install
# then goes on with the lists that did come, and fails itself if a package
# is really missing.
update_lists() {
  local try
  for try in 1 2 3; do
    $SUDO apt-get update -qq && return 0
    echo "install-deps: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 10))
  done
  echo "install-deps: going on with the package lists as they are" >&2
}

todo=$(missing)
if [ -n "$todo" ]; then
  export DEBIAN_FRONTEND=noninteractive
  update_lists
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $todo || {
    # With one architecture's security list missing, the two architectures'
    # newest versions differ and cannot be installed side by side; the
    # release's own versions, as the machine came with them, can.
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "install-deps: trying again with $codename's own versions first" >&2
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends -t "$codename" $todo
  }
elif [ -n "${NEED_UPDATE:-}" ]; then
  update_lists
fi

# Wine takes the system code page and the interface language from the
# locale (LANG, LC_ALL); without the C library's data for it the locale falls
# back to plain ASCII, and Wine then spells non-ASCII Unix names and the user
# name wrong. The tests run the programs in these.
LOCALES=(en_US de_DE ru_RU ja_JP fr_FR es_ES pl_PL)
for l in "${LOCALES[@]}"; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
