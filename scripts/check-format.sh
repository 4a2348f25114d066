#!/usr/bin/env bash
# Checks that the C++ sources are in the project's format (.clang-format).
# Every tracked .cpp and .hpp is covered, but for the files listed in
# scripts/format-pending.txt, which predate the format file and are brought
# into it when they are next changed (a new file is covered from the start).
#
#   scripts/check-format.sh          lists the files out of format, fails if any
#   scripts/check-format.sh --fix    formats the covered files in place
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=clang-format-14
command -v "$formatter" >/dev/null ||
  { echo "check-format: $formatter is not installed (see scripts/install-deps.sh)" >&2; exit 1; }

# The sources: git's list in a checkout; else (a tree unpacked without git,
# as on a fresh machine) every .cpp and .hpp outside the build folders.
sources() {
  if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files '*.cpp' '*.hpp'
  else
    find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.hpp' \) -print |
      sed 's#^\./##' | LC_ALL=C sort
  fi
}

pending=scripts/format-pending.txt
covered=()
while IFS= read -r file; do
  grep -qxF "$file" "$pending" || covered+=("$file")
done < <(sources)
# No file to check is a fault of the check, never a pass.
[ ${#covered[@]} -gt 0 ] || { echo "check-format: found no C++ sources to check" >&2; exit 1; }

if [ "${1:-}" = --fix ]; then
  "$formatter" -i "${covered[@]}"
  exit 0
fi

bad=()
for file in "${covered[@]}"; do
  "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: out of the project's format (scripts/check-format.sh --fix mends them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: ${#covered[@]} files in format, $(grep -c . "$pending") still pending"
