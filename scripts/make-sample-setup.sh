#!/usr/bin/env bash
# Makes the ready-to-ship sample setup the way a vendor would, with the kit
# that KELPACK belongs to: "kelpack init" writes the sample project (with the
# sample product's program) and "kelpack build" turns it into OUTDIR/Setup.exe
# and OUTDIR/Data.Kel, with the kit's wizard and uninstaller.
# SETUP_INI replaces the project's description when given; what the folder
# MORE_FILES holds joins the product's files, with its sub-folders.
#   make-sample-setup.sh KELPACK OUTDIR [SETUP_INI [MORE_FILES]]
set -euo pipefail
kelpack=$1 out=$2 setup_ini=${3:-} more_files=${4:-}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$kelpack" init "$stage/project" >/dev/null
if [ -n "$setup_ini" ]; then cp "$setup_ini" "$stage/project/Setup.ini"; fi
if [ -n "$more_files" ]; then cp -r "$more_files/." "$stage/project/Files/"; fi
"$kelpack" build "$stage/project" "$out"
