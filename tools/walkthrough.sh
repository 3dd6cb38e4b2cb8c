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
    /usr/bin/python3 tools/xwd_to_png.py "$work/shot.xwd" "$out/$1.png" 1000x760
    echo "  $out/$1.png"
}
window() {  # title -> x y of its top-left corner
    local id
    id=$(xdotool search --sync --onlyvisible --name "$1" | head -1)
    xdotool getwindowgeometry "$id" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
keys() { xdotool key --delay 120 "$@"; sleep 0.5; }
menu() { for k; do xdotool key "$k"; sleep 0.6; done; }  # a menu and its items, one by one
typepath() { xdotool type --delay 20 "$1"; sleep 0.3; xdotool key Return; sleep 1; }
start() {
    (cd "$work" && "$program" --ini "$work/ROVORA_Z.INI" >"$work/out.txt" 2>&1) &
    app=$!
    xdotool search --sync --onlyvisible --name "ZIVOZI 3Z-Urirodod" >/dev/null
    sleep 2
}
# Four views through the right button's pop-up ("ウィンドウ表示", "４画面展開"), then a
# closer scale ("表示倍率", "*   0.05").
four_views() {
    read -r mx my < <(window "ZIVOZI 3Z-Urirodod")
    xdotool mousemove $((mx + 500)) $((my + 400)) click 3
    sleep 0.5
    keys Down Down Down Down Down Down Down Right Down Down Down Down Return
    xdotool mousemove $((mx + 500)) $((my + 400)) click 3
    sleep 0.5
    keys Down Down Down Down Down Down Down Down Right Down Down Return
}
# Without a window manager a window takes the keys when it is clicked: the status bar.
focus() { click $((mx + 300)) $((my + 745)); }
# The palette's buttons: two columns of 32-pixel pictures, one pixel apart, two from the edge.
palette() {  # button index in the palette's order
    read -r px py < <(window "コマンドパレット")
    click $((px + 18 + ($1 % 2) * 33)) $((py + 18 + ($1 / 2) * 33))
}

echo "1. start"
start
four_views
shot 01_start
echo "2. a ball and a box from the palette"
palette 0
shot 02_ball
palette 8
shot 03_box
echo "3. the box moved by mouse (Alt+C: translate, drag in the top view)"
keys alt+c
xdotool mousemove $((mx + 760)) $((my + 200)) mousedown 1
for step in 1 2 3 4 5 6 7 8; do xdotool mousemove $((mx + 760 + step * 15)) $((my + 200 + step * 5)); sleep 0.1; done
shot 04_box_dragging
xdotool mouseup 1
shot 05_box_moved
echo "4. a material for the box (F6: the material window, new colour, this colour)"
keys F6
read -r wx wy < <(window "色質感設定")
click $((wx + 75)) $((wy + 46))
shot 06_material_dialog
# A warm red for the new material: the base colour's three fields, then OK.
keys ctrl+a; xdotool type "0.9"; keys Tab ctrl+a; xdotool type "0.25"; keys Tab ctrl+a; xdotool type "0.15"
shot 07_material_set
keys Return
click $((wx + 75)) $((wy + 20))
shot 08_material_linked
keys Return
echo "5. render at FINE (レンダリング, 高品質ﾚﾝﾀﾞﾘﾝｸﾞ)"
focus
menu alt+d m
shot 09_rendering
for _ in $(seq 60); do
    xdotool search --onlyvisible --name "レンダリング実行中" >/dev/null 2>&1 || break
    sleep 1
done
shot 10_rendered
read -r ix iy < <(window "C-Buffer")
click $((ix + 633)) $((iy + 537))
shot 11_back_to_the_views
echo "6. the image and the model saved"
focus
menu alt+d w
shot 12_image_save_dialog
typepath "$work/render.bmp"
focus
menu alt+f s Return
shot 13_model_save_dialog
typepath "$work/walk.mmb"
shot 14_saved
echo "7. quit, start again and load the model"
focus
menu alt+f x
shot 15_quit_question
keys Return
wait $app || true
ls -l "$work/render.bmp" "$work/walk.mmb" | awk '{print "  " $5, $9}'
start
four_views
shot 16_started_again
focus
menu alt+f l Return
shot 17_model_open_dialog
typepath "$work/walk.mmb"
shot 18_model_loaded
