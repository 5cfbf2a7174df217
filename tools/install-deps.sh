#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing; with
# --bench, the Debian manuals that make bench checks beside its generated site instead.
set -euo pipefail
packages=(cmake ninja-build g++ make libgtest-dev libgmock-dev googletest nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-ipafont-gothic xvfb xauth
  libcurl4-openssl-dev libsqlite3-dev
  qt6-svg-dev xdg-utils gettext locales qt6-translations-l10n
  desktop-file-utils libxml2-utils shared-mime-info libglib2.0-bin man-db bash-completion
  dpkg-dev file lintian binutils librsvg2-bin appstream
  python3 python3-yaml python3-jsonschema python3-rfc3987 jq git pre-commit
  clang-14 libclang-rt-14-dev clang-tidy-14 clang-format-14)
if [[ "${1:-}" == "--bench" ]]; then
  packages=(postgresql-doc-15 python3.11-doc libstdc++-12-doc)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}"
  echo "Run as root: apt-get update && apt-get install -y ${missing[*]}"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
