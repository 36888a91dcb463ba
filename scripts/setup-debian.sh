#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run CMView.
set -euo pipefail
packages=(build-essential cmake qtbase5-dev libqt5svg5-dev qttools5-dev qttools5-dev-tools
          xvfb xauth xdotool fonts-dejavu-core fonts-wqy-microhei)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
