#!/usr/bin/env bash
# Makes the ready-to-ship sample setup with kelpack build: OUTDIR/Setup.exe
# and OUTDIR/Data.Kel from the sample project samples/setup, its Files
# completed with the sample product's programs from the Windows build.
# SETUP_INI replaces the project's description when given; what the folder
# MORE_FILES holds joins the product's files, with its sub-folders.
#   make-sample-setup.sh KELPACK WIN32_BUILD_DIR OUTDIR [SETUP_INI [MORE_FILES]]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kelpack=$1 win32=$2 out=$3 setup_ini=${4:-} more_files=${5:-}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r "$root/samples/setup" "$stage/project"
cp "$win32/samples/larknotes/LarkNotes.exe" "$win32/uninstall/uninstall.exe" "$stage/project/Files/"
if [ -n "$setup_ini" ]; then cp "$setup_ini" "$stage/project/Setup.ini"; fi
if [ -n "$more_files" ]; then cp -r "$more_files/." "$stage/project/Files/"; fi
"$kelpack" build "$stage/project" "$out" --setup "$win32/app/Setup.exe"
