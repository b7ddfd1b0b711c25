#!/usr/bin/env bash
# Runs refine on the bundled example. The example files are copied into a
# scratch folder under the build tree first, so that what the run writes
# (numbered and refined rule files) never lands in the source tree.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(dirname "$bin")/demo
rm -rf "$work"
mkdir -p "$work"
cp -r "$here"/example/. "$work"/
cd "$work"
echo "== refine, working in $work"
set -x
"$bin/refine" -d 1 -g grammar.trf -l lexicon.trf -i init.txt
{ set +x; } 2>/dev/null
echo "== numbered copies written by the rule-file phase"
for f in grammar-ID.trf lexicon-ID.trf; do
  echo "-- $f: $(grep -c '^{' "$f") numbered rules; first lines:"
  head -n 12 "$f"
done
