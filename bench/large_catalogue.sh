#!/usr/bin/env bash
# bench/large_catalogue.sh BUILD_DIR WORK_DIR: the grapher on large catalogues,
# headless: a 200,000-product tree and a 1,000,000-product chain. Each record
# folder is written straight from a generated catalogue; the grapher then loads,
# lays out and draws it to PNG. Prints wall time and peak memory of each run.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bench/large_catalogue.sh BUILD_DIR WORK_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
work=$2
mkdir -p "$work"
work=$(cd "$work" && pwd)
service="$build/service/product-service"
grapher="$build/grapher/grapher"
root=$(cd "$(dirname "$0")/.." && pwd)

run() {
  local name=$1 count=$2 shape=$3
  local folder="$work/$name"
  rm -rf "$folder" && mkdir -p "$folder"
  "$service" --generate "$count" --seed 5 --shape "$shape" --out "$folder/catalogue.jsonl" \
    --keywords-out "$folder/keywords.txt"
  "$service" --catalogue "$folder/catalogue.jsonl" --write-records "$folder"
  echo "== $name: $count products ($shape)"
  /usr/bin/time -f "$name: %e s wall, %M KiB peak resident" \
    "$grapher" --folder "$folder" --seed 1 --png "$folder/graph.png" 2>"$folder/grapher.log" ||
    { tail -5 "$folder/grapher.log" >&2; exit 1; }
  tail -n 1 "$folder/grapher.log"
}

run tree-200k 200000 tree
run chain-1m 1000000 chain
