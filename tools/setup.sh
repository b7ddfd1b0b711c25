#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need,
# skipping those already present. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential g++ cmake make pkg-config
  default-jre-headless antlr libantlr-dev
  libpstreams-dev
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  clang
  perl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
