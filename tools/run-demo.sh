#!/usr/bin/env bash
# Installs what is missing, builds the console and the tree monitor, and starts the
# console on a fresh copy of the demo show.
#   tools/run-demo.sh            the console alone; the demo's ports are NONE
#   tools/run-demo.sh --monitor  a rehearsal: a tree monitor per tree on a new pseudo-terminal,
#                                written into the copy's Glimmerbox.cfg; each monitor's decoded
#                                frames go to tree1.log / tree2.log in the program directory and
#                                to this terminal; the monitors stop when the console ends
set -euo pipefail
cd "$(dirname "$0")/.."
monitor=false
case "${1:-}" in
  "") ;;
  --monitor) monitor=true ;;
  *) echo "usage: tools/run-demo.sh [--monitor]" >&2; exit 2 ;;
esac

tools/build.sh glimmerbox treemonitor
for program in glimmerbox treemonitor; do
  if [ ! -x "build/$program" ]; then
    echo "build/$program was not built." >&2
    exit 1
  fi
done
home=$(mktemp -d /tmp/glimmerbox-demo.XXXXXX)
cp -r demo/. "$home/"
echo "Program directory: $home"
export GLIMMERBOX_HOME="$home"
console=(build/glimmerbox)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  console=(xvfb-run -a -s "-screen 0 1280x1024x24" build/glimmerbox)
fi
if ! $monitor; then
  exec "${console[@]}"
fi

monitors=()
followers=()
stop_monitors() {
  # Give the monitors a moment for the console's last frames, then end them and
  # let the followers print what is left.
  sleep 0.5
  [ ${#monitors[@]} -eq 0 ] || kill -TERM "${monitors[@]}" 2>/dev/null || true
  wait "${monitors[@]}" "${followers[@]}" 2>/dev/null || true
  for tree in 1 2; do
    [ -f "$home/tree$tree.log" ] && echo "Tree $tree: $home/tree$tree.log"
  done
}
trap stop_monitors EXIT

config=""
for tree in 1 2; do
  log="$home/tree$tree.log"
  build/treemonitor >"$log" 2>/dev/null &
  monitors+=($!)
  # The monitor's first line is the pseudo-terminal it made.
  for _ in $(seq 50); do
    [ -s "$log" ] && break
    sleep 0.1
  done
  port=$(head -n 1 "$log")
  if [[ "$port" != /dev/* ]]; then
    echo "The tree monitor for Tree $tree made no pseudo-terminal." >&2
    exit 1
  fi
  config+="$tree|$port|"$'\n'
  tail -n +2 -s 0.2 -F --pid="${monitors[-1]}" "$log" 2>/dev/null | sed -u "s/^/Tree $tree  /" &
  followers+=($!)
  echo "Tree $tree on $port, decoded frames in $log"
done
printf '%s' "$config" >"$home/Glimmerbox.cfg"
echo "Switch on Configuration > Send Tree Signals and press START; close the console to stop the rehearsal."
status=0
"${console[@]}" || status=$?
exit $status
