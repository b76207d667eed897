#!/usr/bin/env bash
# Installs what Slantvis needs on Debian 12 when it is missing; quiet when everything is there.
# Usage: scripts/setup.sh [run|test]
set -euo pipefail

purpose=${1:-run}
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libsqlite3-dev libcurl4-openssl-dev locales xvfb xauth
          fonts-dejavu-core)
if [ "$purpose" = test ]; then
    packages+=(cups cups-client cups-bsd poppler-utils clang libclang-rt-14-dev python3 ccache)
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installerar: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^sv_SE\.utf-\?8$'; then
    echo "Skapar locale sv_SE.UTF-8"
    as_root sed -i 's/^# *sv_SE.UTF-8 UTF-8/sv_SE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^sv_SE.UTF-8 UTF-8' /etc/locale.gen || echo 'sv_SE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
