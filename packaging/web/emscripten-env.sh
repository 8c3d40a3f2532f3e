# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What Debian's emscripten needs around it to build Qt and the game (sourced).

# emscripten_env <folder>: exports the environment and makes, in <folder>, the emsdk layout
# Qt's build looks for to find the compiler (a .emscripten file naming the emscripten root
# inside it, and there the compilers and CMake files).
emscripten_env() {
  local emsdk=$1
  mkdir -p "$emsdk/upstream/emscripten"
  echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" > "$emsdk/.emscripten"
  ln -sfn /usr/bin/emcc "$emsdk/upstream/emscripten/emcc"
  ln -sfn /usr/bin/em++ "$emsdk/upstream/emscripten/em++"
  ln -sfn /usr/share/emscripten/cmake "$emsdk/upstream/emscripten/cmake"
  export EMSDK=$emsdk
  export EMSCRIPTEN=/usr/share/emscripten
  # emscripten's scripts load Debian's node modules (acorn), which another node on the PATH
  # does not search.
  export NODE_PATH=/usr/share/nodejs
}
