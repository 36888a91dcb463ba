#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run CMView.
# Every machine (a developer's, CI, a user's) gets this same package set, so
# they all run the same software: the GL driver stack the xcb platform loads
# included, since apt leaves it out as a mere recommendation of Qt's GUI module.
set -euo pipefail
packages=(
    # toolchain, Qt 5 and Qt 6 (the library builds against either)
    build-essential cmake qtbase5-dev libqt5svg5-dev qttools5-dev qttools5-dev-tools
    qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    # Qt 6 UiTools (the Designer plugin test loads forms with it) needs OpenGLWidgets
    libqt6opengl6-dev
    # clang with its sanitizer and libFuzzer runtimes (fuzzing)
    clang libclang-rt-dev
    # X: the virtual server, input for the end-to-end runs, fonts
    xvfb xauth xdotool fonts-dejavu-core fonts-wqy-microhei
    # the accessibility bus, the root window property that points Qt to it, and
    # the screen reader's client library the accessibility test walks the tree with
    at-spi2-core dbus-x11 python3-pyatspi x11-utils
    # the GL/EGL driver stack that the xcb platform plugin loads at window creation
    libgl1 libegl1 libglx-mesa0 libegl-mesa0 libgl1-mesa-dri
    # the headless demo served over VNC and noVNC, and its browser test
    x11vnc novnc websockify chromium
    # the API reference
    doxygen
    # the spreadsheet a user opens the CSV export with (its test reads cells back)
    libreoffice-calc-nogui
    # dpkg-shlibdeps for the Debian packages CPack makes
    dpkg-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
