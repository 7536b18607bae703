#!/usr/bin/env bash
# Builds the XML document fuzz target with clang's libFuzzer and runs it.
# Usage: tools/fuzz/run-xml-fuzz.sh [seconds]   (default 60)
# New inputs go to a scratch folder; the small seed corpus in tests/xml/corpus
# is only read. Crashes are written to the scratch folder.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"
out="${ZARUL_FUZZ_DIR:-$root/build-xml-fuzz}"
mkdir -p "$out/corpus" "$out/crashes"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined \
    -I "$root/xml" \
    "$root"/xml/CXmlDocument*.cpp "$here/XmlFuzzTarget.cpp" \
    -o "$out/xml_fuzz"

cd "$out"
./xml_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$out/crashes/" \
    "$out/corpus" "$root/tests/xml/corpus"
