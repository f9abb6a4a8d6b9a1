#!/usr/bin/env bash
# Takes the pictures of the user's guide (demo/help/Urnarium.html) from the
# program itself: every window is opened on its own by the test tool
# show_window over a fresh demo installation, on a private X server with a
# window manager, and saved cropped to the window with its frame.
#   guide-screenshots.sh [BUILD_DIR [OUT_DIR]]
# ONLY="name name..." takes only the pictures of those names.
# BUILD_DIR defaults to build/test (the test command's build; any build with
# the tests works), OUT_DIR to demo/help/obrazky. Build the targets first:
#   cmake --build BUILD_DIR --target show_window urnarium urnarium-refdata
# Needs xvfb, openbox, xdotool, x11-utils and imagemagick. When installed,
# pngquant (256 colours, no visible loss on window pictures) and optipng
# make the pictures small, and libfaketime sets the program's clock to the
# election night, so that the date and time in the pictures match the
# record's election days and stay the same from one run to the next:
#   apt-get install -y xvfb openbox xdotool x11-utils imagemagick pngquant optipng faketime
# While the pictures are taken, the demo installation lies in
# /tmp/urnarium/program and the sample USB disk in
# /tmp/urnarium/media/KOMISE (both show in the export windows).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
out=${2:-demo/help/obrazky}
show="$build/tests/app/show_window"

missing=""
for tool in Xvfb openbox xdotool xwininfo import convert identify; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "Missing:$missing" >&2
  echo "Install: apt-get install -y xvfb openbox xdotool x11-utils imagemagick pngquant optipng faketime" >&2
  exit 1
fi
for f in "$show" "$build/src/app/urnarium" "$build/tools/urnarium-refdata"; do
  [ -x "$f" ] || { echo "Not built: $f (cmake --build $build --target show_window urnarium urnarium-refdata)" >&2; exit 1; }
done

root=/tmp/urnarium
inst=$root/program
marker="$root/.guide-screenshots"
if [ -e "$root" ] && [ ! -e "$marker" ]; then
  echo "$root exists and was not made by this script; remove it first" >&2
  exit 1
fi
export SHOW_WINDOW_MEDIUM=$root/media/KOMISE
work=$(mktemp -d)
xpid="" wmpid=""
cleanup() {
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work" "$root"
}
trap cleanup EXIT

# One pristine installation, copied afresh for every picture: the windows
# that save data must not change what the next one shows.
scripts/lay-out-demo.sh "$build" "$work/template" >/dev/null
mkdir -m 700 "$work/run"
fresh_installation() {
  rm -rf "$root"
  mkdir -p "$root"
  touch "$marker"
  cp -a "$work/template" "$inst"
}

export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
disp=":$((300 + RANDOM % 400))"
Xvfb "$disp" -screen 0 1280x1024x24 -wr -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=$disp
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wmpid=$!
sleep 0.5

mkdir -p "$out"

rootid=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
# The rectangle of a window on the screen: the window manager's frame round
# a managed window, the window itself for a popup (an open list or menu).
rectangle() {
  local id=$1 frame
  frame=$(xwininfo -id "$id" -children 2>/dev/null | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  if [ -n "$frame" ] && [ "$frame" != "$rootid" ]; then id=$frame; fi
  xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{if (w) print x, y, x + w, y + h}' || true
}

# shot NAME WINDOW TITLE [SETTLE [KEYS]]: opens WINDOW with show_window,
# waits for a window whose title matches the regular expression TITLE, lets
# it settle (seconds) and saves it with its frame as OUT_DIR/NAME.png. KEYS
# (xdotool key names) are then typed into it, and the picture takes in every
# window of the program that is on the screen, an open list with them.
# The clock is set by preloading libfaketime into the program itself: the
# faketime command would run it as a child of its own, which the kill at the
# end of a picture would leave running, with its windows on the screen.
clock=()
for lib in /usr/lib/*/faketime/libfaketime.so.1; do
  [ -e "$lib" ] && clock=(env LD_PRELOAD="$lib" FAKETIME="@2024-06-08 22:15:00")
done
shot() {
  local name=$1 which=$2 title=$3 settle=${4:-0.8} keys=${5:-}
  if [ -n "${ONLY:-}" ] && [[ " $ONLY " != *" $name "* ]]; then return 0; fi
  fresh_installation
  # A commission's home directory in the print dialog's file name; nothing
  # is written there.
  HOME=/home/komise XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run" \
    "${clock[@]}" "$show" "$inst" "$which" >"$work/$name.log" 2>&1 &
  local app=$!
  # Polled rather than waited for with --sync: a window that goes away
  # while xdotool looks at it (Qt's short-lived helper windows) ends that
  # search with an X error, and the next one looks again.
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | tail -n 1) || true
    [ -n "$id" ] && break
    sleep 0.2
  done
  if [ -z "$id" ]; then
    kill "$app" 2>/dev/null || true
    echo "No window \"$title\" for $which:" >&2
    cat "$work/$name.log" >&2
    return 1
  fi
  # The data-entry window says when it has turned to its page (each turn
  # saves the record, which a busy disk can make slow).
  if [[ $which == vstup-* ]]; then
    for _ in $(seq 150); do
      grep -q '^ready' "$work/$name.log" && break
      sleep 0.1
    done
  fi
  # The window on top and active, as a commission sees it; what it does
  # once active (the data-entry window turns its pages) then settles.
  for _ in $(seq 50); do
    [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$id" ] && break
    sleep 0.1
  done
  sleep "$settle"
  local windows=$id
  if [ -n "$keys" ]; then
    # shellcheck disable=SC2086 # one key name a word
    xdotool key --window "$id" $keys
    sleep 0.8
    windows=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null) || true
    [ -n "$windows" ] || windows=$id
  fi
  local geo
  geo=$(for w in $windows; do rectangle "$w"; done | awk 'NR == 1 {l=$1; t=$2; r=$3; b=$4}
    {if ($1 < l) l=$1; if ($2 < t) t=$2; if ($3 > r) r=$3; if ($4 > b) b=$4}
    END{printf "%dx%d+%d+%d", r - l, b - t, l, t}')
  import -window root -crop "$geo" +repage "$work/$name.png"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  convert "$work/$name.png" -strip "$work/$name-full.png"
  # pngquant declines (status 99) a picture it cannot bring to 256 colours
  # without visible loss: that one stays in full colour.
  if ! command -v pngquant >/dev/null ||
    ! pngquant --quality=70-95 --speed 1 --strip --force --output "$out/$name.png" -- "$work/$name-full.png"; then
    cp "$work/$name-full.png" "$out/$name.png"
  fi
  if command -v optipng >/dev/null; then optipng -quiet -o2 "$out/$name.png"; fi
  echo "$out/$name.png $(identify -format '%wx%h' "$out/$name.png")"
}

shot menu-okrsek menu-okrsek '^Volby do Evrop' 1.5
shot informace info '^Informace$'
shot vstup-oddil-1 vstup-0 '^Vstup dat za okrsek' 1.5
shot vstup-oddil-2 vstup-1 '^Vstup dat za okrsek' 1.5
shot vstup-priloha vstup-2 '^Vstup dat za okrsek' 1.5
shot vstup-oddil-3 vstup-3 '^Vstup dat za okrsek' 1.5
shot hlaska-chyba hlaska-chyba '^Po.*dat$'
shot hlaska-propustna hlaska-propustna '^Po.*dat$'
shot hlaska-upozorneni hlaska-upozorneni '^Po.*dat$'
shot protokol protokol '^Preview$' 1.5
shot otazka-export otazka-export '^Vstup dat za okrsek$'
shot kontrolni-zadani kontrolni-2 '^Kontroln.*- Vstup dat' 2
shot kontrolni-rozdily kontrolni-rozdily '^Kontroln.*- rozd'
shot export-odmitnut ExportTisk_MI+data '^Export dat$' 1.5
shot export-pozvani info-pozvani '^Export dat a tisk'
shot export-okno export-usb '^Export dat$' 0.8 alt+Down
shot export-okno-disk export '^Export dat$' 0.8 alt+Down
shot export-nepripojeny export-nepripojeny '^Export dat$'
shot export-usb-hotovo info-usb '^Export dat a tisk'
shot export-disk-hotovo info-disk '^Export dat a tisk'
shot kopie kopie '^Tisk z'
shot vyber-tiskarny VyberTiskarny_MI '^V.*rny$' 1.5
shot bez-tiskarny bez-tiskarny '^Tisk$'
