#!/bin/sh
# Makes a zip whose bytes depend only on the files' names and contents, so that two builds of the
# same sources give the same download:
#   sh zip.sh OUTPUT.zip FILE...
# Entries are flat and in byte order, with one fixed time (SOURCE_DATE_EPOCH when set) and mode
# and no extra fields.
set -eu
output=$1
shift
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for file in "$@"; do
    cp "$file" "$stage/"
done
cd "$stage"
chmod 644 -- *
TZ=UTC0 touch -d "@${SOURCE_DATE_EPOCH:-1767225600}" -- *
rm -f "$output"
# shellcheck disable=SC2046
TZ=UTC0 zip -q -X -D "$output" $(printf '%s\n' * | LC_ALL=C sort)
