#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
#   install-deps.sh run    what building and running the program needs
#   install-deps.sh test   that, plus the test and benchmark frameworks
set -euo pipefail
mode=${1:-run}
pkgs=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
      zlib1g-dev libjpeg-dev libcups2-dev fonts-liberation fontconfig xdg-utils
      qt6-translations-l10n)
if [ "$mode" = test ]; then
  # dbus-daemon and python3-dbusmock: the removable-media tests run a mock
  # UDisks2 on a private system bus of their own. cups and cups-client: the
  # printing tests run a print server of their own (cupsd with a queue of
  # cups-filters' generic PDF printer).
  pkgs+=(libgtest-dev libgmock-dev libbenchmark-dev poppler-utils dbus-daemon python3-dbusmock
         cups cups-client)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
