#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, running and testing Quavix need, when any is missing.
# With --test also what only the tests use.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  libqt6help6 libqt6sql6-sqlite libgl-dev libbenchmark-dev libasound2-dev
  fonts-liberation2 xvfb xauth
  # Translations: lupdate and lrelease for the program's own, and Qt's own words (Yes, No, Cancel...) in
  # the same languages.
  qt6-l10n-tools qt6-translations-l10n
  # Sound: FluidSynth to build the sound module (the program itself never links it) and the small General
  # MIDI SoundFont it plays. The larger fluid-soundfont-gm is used instead when it is installed.
  libfluidsynth-dev timgm6mb-soundfont
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if [ "${1:-}" = "--test" ]; then
  # The sound tests start a private PulseAudio server with a null sink to play through, and record it with
  # the PulseAudio tools. Where PipeWire already serves PulseAudio programs the server is not installed,
  # since two servers would contend for the desktop's sound; those tests then skip.
  packages+=(pulseaudio-utils)
  installed pipewire-pulse || packages+=(pulseaudio)
fi

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
else
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
