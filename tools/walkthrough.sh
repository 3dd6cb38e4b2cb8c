#!/bin/bash
# A person's walk through the workstation, driven with xdotool on a virtual X server and
# recorded as screenshots in docs/walkthrough/. Run from the repository root after a build:
#   tools/walkthrough.sh build/bin/rovora_z
# Needs Xvfb, xdotool, xwd and Python with Pillow (tools/packages.sh has all but xdotool).
set -euo pipefail
program=$(realpath "${1:-build/bin/rovora_z}")
out=docs/walkthrough
work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out"

export DISPLAY=:57
Xvfb "$DISPLAY" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export HOME=$work XDG_CONFIG_HOME=$work/config
cat >"$work/ROVORA_Z.INI" <<INI
[System Position]
Xpos=0
Ypos=0
Xmax=1000
Ymax=760
INI

shot() {  # name
    sleep 0.8
    xwd -root -silent >"$work/shot.xwd"
    /usr/bin/python3 tools/xwd_to_png.py "$work/shot.xwd" "$out/$1.png"
    echo "  $out/$1.png"
}
window() {  # title -> x y of its top-left corner
    local id
    id=$(xdotool search --sync --onlyvisible --name "$1" | head -1)
    xdotool getwindowgeometry "$id" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
keys() { xdotool key --delay 120 "$@"; sleep 0.5; }
typepath() { xdotool type --delay 20 "$1"; sleep 0.3; xdotool key Return; sleep 1; }
start() {
    (cd "$work" && "$program" --ini "$work/ROVORA_Z.INI" >"$work/out.txt" 2>&1) &
    app=$!
    xdotool search --sync --onlyvisible --name "ZIVOZI 3Z-Urirodod" >/dev/null
    sleep 2
}
# The palette's buttons: two columns of 32-pixel pictures, one pixel apart, two from the edge.
palette() {  # button index in the palette's order
    read -r px py < <(window "コマンドパレット")
    click $((px + 18 + ($1 % 2) * 33)) $((py + 18 + ($1 / 2) * 33))
}

echo "1. start"
start
shot 01_start
echo "2. a ball and a box from the palette"
palette 0
shot 02_ball
palette 8
shot 03_box
echo "3. the box moved by mouse (Alt+C: translate, drag in the top view)"
keys alt+c
read -r mx my < <(window "ZIVOZI 3Z-Urirodod")
xdotool mousemove $((mx + 200)) $((my + 200)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((mx + 200 + step * 20)) $((my + 200 + step * 8)); sleep 0.1; done
shot 04_box_dragging
xdotool mouseup 1
shot 05_box_moved
echo "4. a material for the box (F6: the material window, new colour, this colour)"
keys F6
shot 06_material_window
