#!/usr/bin/env bash
# Fails, naming the files, when a C++ source that git tracks differs from the project's .clang-format.
# `clang-format -i FILE` puts a file right.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
off=()
for f in "${sources[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || off+=("$f")
done
if [ ${#off[@]} -gt 0 ]; then
    echo "Not in the project's format (clang-format -i puts them right):" >&2
    printf '  %s\n' "${off[@]}" >&2
    exit 1
fi
