#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the program need.
# Runs apt only when something is missing, so repeated builds stay offline.
set -eu

PACKAGES="cmake g++ xvfb xauth dbus dbus-x11 qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools
qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-httpserver-dev qt6-websockets-dev
qt6-positioning-dev qt6-svg-dev libqt6sql6-sqlite libqt6svg6 qt6-qpa-plugins libgl1-mesa-dri
fonts-dejavu-core qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qttest
qml6-module-qtpositioning qml6-module-qtquick-shapes qml6-module-qt-labs-folderlistmodel
qt6-networkauth-dev python3-oauthlib imagemagick qtkeychain-qt6-dev libsecret-1-0 gnome-keyring"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
fi
