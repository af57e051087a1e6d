#!/usr/bin/env bash
# Fails, naming the files, when a C++ source that git tracks differs from the project's .clang-format.
# `clang-format -i FILE` puts a file right.
set -euo pipefail
cd "$(dirname "$0")/.."
# Many files to a clang-format, on every core; each file out of format is named in its first complaint.
mapfile -t off < <(git ls-files -z '*.cpp' '*.h' | xargs -0 -n 25 -P "$(nproc)" clang-format --dry-run --Werror 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#off[@]} -gt 0 ]; then
    echo "Not in the project's format (clang-format -i puts them right):" >&2
    printf '  %s\n' "${off[@]}" >&2
    exit 1
fi
