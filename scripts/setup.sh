#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12. Idempotent.
set -euo pipefail
PKGS=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6serialbus6 qt6-serialbus-dev
      qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
      libgtest-dev libgmock-dev libbenchmark-dev
      clang libclang-rt-14-dev clang-format
      xvfb xauth imagemagick fonts-wqy-microhei
      # the Debian package: manual pages, icon sizes, desktop entry check, its dependencies
      help2man librsvg2-bin desktop-file-utils file dpkg-dev)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
