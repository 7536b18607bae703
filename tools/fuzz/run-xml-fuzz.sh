#!/usr/bin/env bash
# Builds the XML document fuzz target with clang's libFuzzer and runs it.
# Usage: tools/fuzz/run-xml-fuzz.sh [seconds]   (default 60)
# Needs clang (the Debian package "clang", which brings libFuzzer); a missing
# clang is installed through tools/install-deps.sh fuzz, which prints the
# apt-get line to run when it cannot install.
# New inputs go to a scratch folder; the small seed corpus in tests/xml/corpus
# is only read. Crashes are written to the scratch folder.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"
out="${ZARUL_FUZZ_DIR:-$root/build-xml-fuzz}"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "The fuzz target needs clang++ with libFuzzer (Debian package: clang)."
    "$root/tools/install-deps.sh" fuzz
fi

mkdir -p "$out/corpus" "$out/crashes"
if ! clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined \
    -I "$root/xml" \
    "$root"/xml/CXmlDocument*.cpp "$here/XmlFuzzTarget.cpp" \
    -o "$out/xml_fuzz"; then
    echo "Building the fuzz target failed: clang++ must support -fsanitize=fuzzer (Debian package: clang)." >&2
    exit 1
fi

cd "$out"
./xml_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$out/crashes/" \
    "$out/corpus" "$root/tests/xml/corpus"
