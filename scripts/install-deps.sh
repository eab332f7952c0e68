#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, running and testing Quavix need, when any is missing.
# With --test also what only the tests use; with --package also what building, checking and trying out the
# Debian package needs. Both may be given.
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
  # Listening: Qt Multimedia to list the audio inputs and libpulse to record them (only the listening
  # module links them), and KissFFT for the pitch detector.
  qt6-multimedia-dev libpulse-dev libkissfft-dev
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for option in "$@"; do
  case "$option" in
    --test)
      # The sound tests start a private PulseAudio server with a null sink to play through, and record it
      # with the PulseAudio tools. Where PipeWire already serves PulseAudio programs the server is not
      # installed, since two servers would contend for the desktop's sound; those tests then skip.
      packages+=(pulseaudio-utils)
      installed pipewire-pulse || packages+=(pulseaudio)
      ;;
    --package)
      # dpkg-shlibdeps and dpkg-buildflags, the checks distributions run, and the X tools that find, drive
      # and photograph the installed program's windows.
      packages+=(dpkg-dev lintian desktop-file-utils appstream xdotool x11-utils imagemagick)
      ;;
    *)
      echo "usage: $0 [--test] [--package]" >&2
      exit 2
      ;;
  esac
done

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
