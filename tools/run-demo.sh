#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console on a fresh copy of the demo show.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
if [ ! -x build/glimmerbox ]; then
  echo "The console was not built." >&2
  exit 1
fi
home=$(mktemp -d /tmp/glimmerbox-demo.XXXXXX)
cp -r demo/. "$home/"
echo "Program directory: $home"
export GLIMMERBOX_HOME="$home"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/glimmerbox
fi
exec build/glimmerbox
