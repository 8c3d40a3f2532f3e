#!/bin/sh
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# reuse lint over the source tree: reuse_lint.sh <source folder> <build folder>. Skipped
# (77) without reuse, or with the build folder in the source tree where git does not ignore
# it (no git checkout, or a folder .gitignore does not name): reuse would lint the build.
src=$1
build=$2
command -v reuse >/dev/null || { echo "reuse not installed"; exit 77; }
case "$(realpath "$build")/" in
  "$(realpath "$src")"/*)
    git -C "$src" check-ignore -q "$build" 2>/dev/null ||
      { echo "the build folder $build is in the source tree, not ignored by git"; exit 77; } ;;
esac
exec reuse --root "$src" lint
