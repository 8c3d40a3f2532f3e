#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Times README's `./omvar test` from fresh clones of the given commits, taking turns, each
# with a compiler cache of its own that starts empty (or, with --warm, the one the previous
# round of the same commit filled). The machine's load is printed beside each time, since
# other work on the machine shows directly in these numbers.
#
# Usage: bench/fresh_clone.sh [--warm] <repository> <rounds> <commit>...
set -euo pipefail
warm=
[ "${1:-}" = --warm ] && { warm=1; shift; }
repository=${1:?usage: fresh_clone.sh [--warm] <repository> <rounds> <commit>...}
rounds=${2:?}
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/omvar-fresh.XXXXXX")
trap 'rm -rf "$work"' EXIT

for round in $(seq "$rounds"); do
  for commit in "$@"; do
    clone=$work/$commit
    rm -rf "$clone"
    git clone -q "$repository" "$clone"
    git -C "$clone" checkout -q "$commit"
    cache=$work/ccache-$commit
    [ -n "$warm" ] || rm -rf "$cache"
    load=$(cut -d' ' -f1 /proc/loadavg)
    start=$(date +%s)
    status=0
    (cd "$clone" && CCACHE_DIR=$cache ./omvar test >"$work/$commit.log" 2>&1) || status=$?
    end=$(date +%s)
    tests=$(grep -o '[0-9]* tests passed, [0-9]* tests failed out of [0-9]*' "$work/$commit.log" ||
      echo "no test summary")
    ctest=$(grep -o 'Total Test time (real) = *[0-9.]* sec' "$work/$commit.log" | grep -o '[0-9.]* sec' || true)
    echo "round $round, $commit: $((end - start)) s (tests ${ctest:-?}), exit $status, $tests, load at start $load, at end $(cut -d' ' -f1 /proc/loadavg)"
  done
done
