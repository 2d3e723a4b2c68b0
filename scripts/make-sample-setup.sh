#!/usr/bin/env bash
# Makes a ready-to-ship sample setup: OUTDIR/Setup.exe and OUTDIR/Data.Kel,
# the payload holding samples/setup/Setup.ini, the default skin packed as
# gfx.x, and the sample product's files. SETUP_INI replaces the sample's
# description when given.
#   make-sample-setup.sh KELPACK SETUP_EXE OUTDIR [SETUP_INI]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kelpack=$1 setup_exe=$2 out=$3 setup_ini=${4:-$root/samples/setup/Setup.ini}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out"
"$kelpack" pack "$stage/gfx.x" "$root"/samples/setup/Graphics/*.bmp >/dev/null
cp "$setup_ini" "$stage/Setup.ini"
"$kelpack" pack "$out/Data.Kel" "$stage/Setup.ini" "$stage/gfx.x" "$root"/samples/setup/Files/* >/dev/null
cp "$setup_exe" "$out/Setup.exe"
