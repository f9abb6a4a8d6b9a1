#!/usr/bin/env bash
# Starts a GUI command on a private X server with a window manager (openbox,
# when installed, so captions and frames show), waits, saves a screenshot.
#   screenshot.sh OUT.png SECONDS COMMAND [ARGS...]
# KEYS="F3 Return" sends xdotool keys, one a second, before the shot.
# Needs xvfb, imagemagick and xdotool; openbox is optional.
set -u
out=$1; secs=$2; shift 2
disp=$((300 + RANDOM % 400))
Xvfb :$disp -screen 0 1280x1024x24 >/dev/null 2>&1 & xp=$!
sleep 1
wp=""
if command -v openbox >/dev/null; then DISPLAY=:$disp openbox >/dev/null 2>&1 & wp=$!; sleep 0.5; fi
DISPLAY=:$disp "$@" & ap=$!
sleep "$secs"
for k in ${KEYS:-}; do DISPLAY=:$disp xdotool key --clearmodifiers "$k"; sleep 1; done
DISPLAY=:$disp import -window root "$out"
kill $ap 2>/dev/null; sleep 0.3; kill -9 $ap 2>/dev/null
kill $wp $xp 2>/dev/null; wait 2>/dev/null
echo "saved $out"
