#!/usr/bin/env bash
# Renders the same scene -- 100 balls of 24 divisions on a plane, one parallel light without
# shadows, 640x480 with 2x2 anti-aliasing -- with our renderer (FINE) and with POV-Ray 3.7,
# and prints both wall-clock times and their ratio. POV-Ray is installed when it is missing.
#   bench/compare_povray.sh [build-dir]      (default: build-test, then build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}
if [ -z "$build" ]; then
  for b in build-test build; do [ -x "$b/bin/rovora_z" ] && build=$b && break; done
fi
[ -n "$build" ] && [ -x "$build/bin/rovora_z" ] || { echo "build rovora_z first (./run or ./test)" >&2; exit 1; }
if ! command -v povray >/dev/null; then
  if [ "$(id -u)" = 0 ]; then apt-get install -y -qq povray >/dev/null; else sudo apt-get install -y -qq povray >/dev/null; fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
threads=$(nproc)

# One grid of ball positions for both scenes: 10 x 10 balls of radius 100, 300 apart.
positions() {
  for i in $(seq 0 9); do
    for j in $(seq 0 9); do echo "$((i * 300 - 1350)) $((j * 300 - 1350))"; done
  done
}

{
  echo "box.s = (-1600, -50, -1600)"
  echo "box.e = (1600, 0, 1600)"
  echo "boxgen2 box.s, box.e"
  positions | while read -r x z; do
    echo "box.s = ($((x - 100)), 0, $((z - 100)))"
    echo "box.e = ($((x + 100)), 200, $((z + 100)))"
    echo "ballgen1 box.s, box.e, 24"
  done
  echo "c.pos = (0, 2200, 3600)"
  echo "c.tar = (0, 0, 0)"
  echo "c.upper = (0, 1, 0)"
  echo "c.zoom = 60"
  echo "camera.set"
  echo "drawmode FINE"
  echo "cinit CBUF.CLEAR"
  echo "draw"
  echo "picsave \"$work/ours.bmp\""
} > "$work/balls.sub"

# POV-Ray is left-handed: z is mirrored so that both cameras see the same picture.
{
  echo 'global_settings { assumed_gamma 1.0 }'
  echo 'camera { location <0, 2200, -3600> look_at <0, 0, 0> angle 60 right x*4/3 up y }'
  echo 'light_source { <10000, 20000, -30000> color rgb 1 parallel point_at <0, 0, 0> shadowless }'
  echo '#declare Mat = texture { pigment { rgb <0.2, 0.9, 0.1> } finish { ambient 0.15 diffuse 0.6 phong 0.75 phong_size 35 } }'
  echo 'box { <-1600, -50, -1600> <1600, 0, 1600> texture { Mat } }'
  positions | while read -r x z; do
    echo "sphere { <$x, 100, $((-z))>, 100 texture { Mat } }"
  done
} > "$work/balls.pov"

seconds() { # command... -> wall-clock seconds of the command
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

ours=$(seconds "$build/bin/rovora_z" --headless --threads "$threads" "$work/balls.sub")
pov=$(seconds povray -D +I"$work/balls.pov" +O"$work/pov.png" +W640 +H480 +A0.0 +AM1 +R2 +WT"$threads")
[ -s "$work/ours.bmp" ] || { echo "our render wrote no image" >&2; exit 1; }
[ -s "$work/pov.png" ] || { echo "POV-Ray wrote no image" >&2; exit 1; }
printf 'rovora_z FINE : %.2f s\n' "$ours"
printf 'POV-Ray 3.7   : %.2f s\n' "$pov"
awk -v p="$pov" -v o="$ours" 'BEGIN { printf "ratio         : %.1fx\n", p / o }'
