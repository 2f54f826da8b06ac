#!/usr/bin/env bash
# Installs the Debian packages the build needs; quiet and quick when all are there.
set -euo pipefail
packages=(qt6-base-dev cmake ninja-build g++ libgtest-dev libbenchmark-dev
          clang-14 libclang-rt-14-dev xvfb xauth
          fonts-dejavu-core     # a font with Cyrillic letters for the Russian interface
          qt6-translations-l10n)  # Qt's own texts (buttons, context menus) in German and Russian
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
