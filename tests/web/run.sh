#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Plays the browser build of the game in Debian's chromium, headless, as a player would
# (journey.mjs): serves a copy of the site folder on 127.0.0.1 with its files gzipped, as a
# static host sends them, on a free port. The test's node modules are installed once per
# lock file into the cache folder, beside Qt's builds. Another script may be driven in the
# same way (the start-up benchmark is); it is handed the same arguments.
# Usage: run.sh <site folder> [script.mjs [its arguments]]   (default: journey.mjs here)
#   OMVAR_CACHE   the cache folder (default: ${XDG_CACHE_HOME:-$HOME/.cache}/omvar)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
site=$(cd "${1:?usage: run.sh <site folder> [script.mjs [arguments]]}" && pwd)
script=$(realpath "${2:-$here/journey.mjs}")
shift $(($# < 2 ? $# : 2))
for tool in node npm gzip /usr/bin/chromium; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

cache=${OMVAR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/omvar}
modules=$cache/web-tests/$(cat "$here/package.json" "$here/package-lock.json" | sha256sum | cut -c1-16)
if [ ! -d "$modules/node_modules" ]; then
  rm -rf "$modules.new"
  mkdir -p "$modules.new"
  cp "$here/package.json" "$here/package-lock.json" "$modules.new/"
  npm ci --prefix "$modules.new" --cache "$cache/npm" --no-audit --no-fund --loglevel=error
  rm -rf "$modules"
  mv "$modules.new" "$modules"
fi

work=$(mktemp -d)
cleanup() {
  [ -n "${server_pid:-}" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Node finds the modules from the folder the journey is in.
cp "$here"/*.mjs "$work/"
[ "$(dirname "$script")" = "$here" ] || cp "$script" "$work/"
ln -s "$modules/node_modules" "$work/node_modules"
cp -r "$site" "$work/site"
find "$work/site" -type f -size +1k -exec gzip -9 -k {} +

"$work/node_modules/.bin/http-server" "$work/site" -a 127.0.0.1 -p 0 -g -c-1 \
  >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  port=$(sed -n 's|.*http://127\.0\.0\.1:\([0-9]*\).*|\1|p' "$work/server.log" | head -n 1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { cat "$work/server.log"; echo "FAIL: the web server did not start"; exit 1; }

node "$work/$(basename "$script")" "http://127.0.0.1:$port/" "$work/site" \
  "$here/../screens/reference" "$here/../../assets" "$@"
