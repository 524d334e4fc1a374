#!/usr/bin/env bash
# Each program's manual page is installed compressed by `cmake --install` into
# section 1, renders without a warning and without a request printed as
# text, and documents every option its --help lists.
# Usage: man_pages_check.sh BUILD_DIR ZOVVIEW ZOVEDIT ZR_JWK
set -u
build=$1; shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
for program in "$@"; do
  name=$(basename "$program")
  compressed="$work/prefix/share/man/man1/$name.1.gz"
  [ -f "$compressed" ] || { fail "$name.1.gz not installed"; continue; }
  page="$work/$name.1"
  gzip -dc "$compressed" > "$page" || { fail "$name.1.gz is not gzip"; continue; }
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || fail "$name.1: $warnings"
  text=$(LC_ALL=C.UTF-8 groff -man -Tutf8 "$page" 2>/dev/null | sed 's/.\x08//g')
  # A request that does not start its line is printed as it stands.
  ! grep -qE '\.(B|I|R|BR|RB|IR|RI|BI|IB)\b' <<<"$text" || fail "$name.1 prints a request as text"
  for option in $("$program" --help | grep -oE -- '(^|[ [|])--?[a-z][a-z-]*' | tr -d ' [|' | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "$name.1 does not document $option"
  done
done
echo "$failures failed"
[ "$failures" = 0 ]
