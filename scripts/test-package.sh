#!/usr/bin/env bash
# Tries the Debian package on this machine as a user would: installs it with apt-get, checks that the menu
# entry, the icons, the metainfo and the manual page are where desktops and man look for them, starts the
# installed program under Xvfb and finds its window and its help, takes the metainfo's screenshots of it,
# then purges the package and checks that nothing of it is left. Packages that the installation pulled in
# are purged again at the end.
# Usage: scripts/test-package.sh [package.deb]   (default: the one scripts/package.sh built)
# Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

if [ $# -gt 0 ]; then
  deb=$1
else
  debs=(build/package/quavix_*.deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "no single package in build/package: run scripts/package.sh" >&2
    exit 1
  fi
  deb=${debs[0]}
fi
deb=$(realpath "$deb")
package=$(dpkg-deb -f "$deb" Package)

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
apt_get() { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@"; }
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" {print $2}' | sort; }
is_installed() { installed_packages | grep -qx "$1"; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if is_installed "$package"; then
  echo "$package is installed already; this test installs and purges it, so remove it first" >&2
  exit 1
fi

work=$(mktemp -d)
pulled_in=()
cleanup() {
  if is_installed "$package"; then apt_get purge "$package" >/dev/null; fi
  # Never more than those: --no-remove stops apt-get rather than take anything else with them.
  [ ${#pulled_in[@]} -eq 0 ] || apt_get purge --no-remove "${pulled_in[@]}" >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

installed_packages >"$work/before"
echo "== apt-get install $deb"
apt_get install "$deb"
installed_packages >"$work/after"
mapfile -t pulled_in < <(comm -13 "$work/before" "$work/after" | grep -vx "$package" || true)
[ ${#pulled_in[@]} -eq 0 ] || echo "pulled in: ${pulled_in[*]}"
dpkg-query -L "$package" | sort >"$work/files"

# The menu entry: where desktops look for applications, valid, naming the program and an icon.
echo "== menu entry, icons, metainfo, manual page"
mapfile -t entries < <(grep -E '^/usr/share/applications/[^/]+\.desktop$' "$work/files")
[ ${#entries[@]} -eq 1 ] || fail "expected one desktop entry in /usr/share/applications, found ${#entries[@]}"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
desktop-file-validate "$entry" || fail "$entry does not validate"
key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
exec_name=$(key Exec | awk '{print $1}')
[ "$(command -v "$exec_name")" = "/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not the installed /usr/bin/$exec_name"
icon=$(key Icon)
[ -n "$icon" ] || fail "$entry names no icon"

# The menu entry speaks each language of the program: a German desktop shows its German name and comment.
for language in $(sed -n 's/^Comment\[\([a-z_]*\)\]=.*/\1/p' "$entry"); do
  name=$(sed -n "s/^Name\[$language\]=//p" "$entry")
  [ -n "$name" ] || fail "$entry has Comment[$language] but no Name[$language]"
  echo "menu entry in $language: $name: $(sed -n "s/^Comment\[$language\]=//p" "$entry")"
done
grep -q '^Comment\[de\]=' "$entry" || fail "$entry has no German comment"

# The icons: in the hicolor theme, which every icon theme falls back to, each as large as its folder says.
mapfile -t icons < <(grep -E "^/usr/share/icons/hicolor/[^/]+/apps/$icon\.(png|svg)$" "$work/files")
[ ${#icons[@]} -gt 0 ] || fail "no icon $icon in /usr/share/icons/hicolor"
have_64=0
for file in "${icons[@]}"; do
  [ -f "$file" ] || fail "$file is listed but missing"
  folder=$(basename "$(dirname "$(dirname "$file")")")
  if [ "$folder" = scalable ]; then
    grep -q '<svg' "$file" || fail "$file is not an SVG picture"
    continue
  fi
  size=$(identify -format '%wx%h' "$file") || fail "$file is not a picture"
  [ "$size" = "$folder" ] || fail "$file is $size"
  [ "$folder" != 64x64 ] || have_64=1
done
# Software centres show the 64-pixel icon.
[ "$have_64" -eq 1 ] || fail "no 64x64 icon"

# The metainfo, under the same id as the desktop entry, which it launches.
metainfo=/usr/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no $metainfo"
grep -q "<id>$id</id>" "$metainfo" || fail "$metainfo has another id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "$metainfo does not launch $id.desktop"
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo has no release entry for $version"

# The manual page, as man finds it.
manual=$(grep -E "^/usr/share/man/man[1-8]/$exec_name\.[1-8]\.gz$" "$work/files") || fail "no manual page for $exec_name"
if [ -f "$manual" ]; then
  zcat "$manual" | grep -q "Quavix $version" || fail "$manual does not carry version $version"
  if command -v man >/dev/null; then
    [ "$(man -w "$exec_name")" = "$manual" ] || fail "man does not find $manual"
  fi
elif grep -qs '^path-exclude[= ]*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  echo "note: this machine's dpkg leaves out manual pages, so $manual is not there to check"
else
  fail "$manual is missing"
fi

# The size the package declares is what it installs: du over its files and links (folders are shared with
# other packages), within the rounding of each file to a block.
declared=$(dpkg-deb -f "$deb" Installed-Size)
# (Files this machine's dpkg leaves out, such as manual pages, are neither there nor counted.)
mapfile -t own < <(while read -r path; do
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then echo "$path"; fi
done <"$work/files")
used=$(du -c -k "${own[@]}" | tail -n 1 | cut -f 1)
echo "Installed-Size: $declared KiB declared, $used KiB used by ${#own[@]} files"
[ $((declared * 10)) -ge $((used * 9)) ] && [ $((declared * 10)) -le $((used * 11)) ] ||
  fail "Installed-Size declares $declared KiB, but the installed files take $used KiB"

# The binaries find every library they link to: the package's depends bring the program's, and its
# recommends, which apt-get installs unless told otherwise, bring those of the modules it loads.
echo "== libraries"
recommends=$(dpkg-deb -f "$deb" Recommends | sed 's/([^)]*)//g; s/,/ /g')
all_recommended=1
for recommended in $recommends; do
  is_installed "$recommended" || all_recommended=0
done
while read -r path; do
  [ -f "$path" ] && [ ! -L "$path" ] && [ "$(head -c 4 "$path" | od -An -tx1 | tr -d ' ')" = 7f454c46 ] || continue
  missing=$(ldd "$path" | grep 'not found' || true)
  if [ -z "$missing" ]; then
    echo "$path: every library found"
  elif [[ "$path" == *.so ]] && [ "$all_recommended" -eq 0 ]; then
    echo "note: the recommends are not all installed, so $path lacks: $missing"
  else
    fail "$path lacks libraries: $missing"
  fi
done <"$work/files"

# The installed program under its own X server: its window, and its help from the installed collection.
echo "== the installed program under Xvfb"
cat >"$work/run.sh" <<'EOF'
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
program=$1
# Its own runtime folder for the single-instance lock, away from any copy the user has open, and as a
# desktop starts it: by name, on the desktop's usual platform.
export XDG_RUNTIME_DIR=$2
unset QT_QPA_PLATFORM
# In English, whose window titles the searches below look for.
export LC_ALL=C.UTF-8 LANGUAGE=en
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --all --onlyvisible --pid $pid --name '^Quavix 2$' | head -n 1) ||
  fail "no window of $program within 30 s"
[ "$(readlink -f /proc/$pid/exe)" = "$3" ] || fail "the window belongs to $(readlink -f /proc/$pid/exe)"
xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "the window is not viewable"
xwininfo -id "$window" | grep -E 'Width|Height'
# X11 desktops match the window to its menu entry, and so to its icon, by its class.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\(.*\)"$/\1/p')
[ "$class" = "$4" ] || fail "the window's class \"$class\" is not the menu entry's StartupWMClass \"$4\""

# Starting it again only wakes the running copy.
timeout 30 "$program" || fail "a second start failed"
[ "$(xdotool search --onlyvisible --name '^Quavix 2$' | wc -l)" -eq 1 ] || fail "a second start opened a window"

xdotool windowfocus --sync "$window"
xdotool key F1
help=$(timeout 30 xdotool search --sync --all --onlyvisible --pid $pid --name '^Quavix 2 Help$' | head -n 1) ||
  fail "F1 opened no help window"
xwininfo -id "$help" | grep -q 'Map State: IsViewable' || fail "the help window is not viewable"
kill -0 $pid || fail "the program ended"
echo "window $window and help window $help are on the screen"
EOF
mkdir -m 700 "$work/runtime"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/run.sh" "$exec_name" "$work/runtime" \
  "$(readlink -f "/usr/bin/$exec_name")" "$(key StartupWMClass)"

# The screenshots the metainfo lists, from the installed program: they can be taken from what users get.
echo "== screenshots of the installed program"
scripts/screenshots.sh "/usr/bin/$exec_name" "$work/screenshots"

echo "== apt-get purge $package"
apt_get purge "$package"
# Purged, not only removed: dpkg keeps no trace of it, not even its configuration.
status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
case "$status" in
  "" | un* | pn*) ;;
  *) fail "dpkg still holds $package: $status" ;;
esac
left=0
while read -r path; do
  # The root, which dpkg lists as "/." for every package built by dpkg-deb, belongs to all of them.
  [ "$path" != "/." ] || continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    # A folder may stay where other packages share it; one of ours alone must go, with whatever is in it.
    if ! dpkg-query -S "$path" >/dev/null 2>&1; then
      echo "left behind: folder $path with: $(ls -A "$path")" >&2
      left=1
    fi
  elif [ -e "$path" ] || [ -L "$path" ]; then
    echo "left behind: $path" >&2
    left=1
  fi
done <"$work/files"
[ "$left" -eq 0 ] || fail "the purge left files behind"
echo "PASS: $package installs, runs, shows its window and help, and purges without a trace"
