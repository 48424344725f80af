#!/bin/sh
# Fails when a tracked C++ file differs from what clang-format makes of it.
set -eu
clang_format=${1:-clang-format}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files -- '*.cpp' '*.h')
else
    files=$(find catalogue presentation window tests -name '*.cpp' -o -name '*.h')
fi
[ -n "$files" ] || { echo "formatting: no C++ files found" >&2; exit 1; }
# shellcheck disable=SC2086
"$clang_format" --dry-run --Werror $files
echo "formatting: $(echo "$files" | wc -w) files checked"
