# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by wine-play.sh --installed: installs the MSI ($msi) into the journey's Wine
# prefix as a player would and checks what the player then finds; after the game, removes
# it again and checks what is left. Uses the journey's wine, work, files_of,
# holds_the_program and fail.

# Wine takes Windows paths; the host's root is drive Z:.
windows_path() { printf 'Z:%s' "$(realpath "$1")" | tr / '\\'; }

# The values of a registry key as "name=value" lines, as Wine's reg prints them.
registry_values() {
  "${wine[@]}" reg query "$1" >"$work/registry.txt" 2>&1 || fail "no registry key $1"
  tr -d '\r' <"$work/registry.txt" |
    sed -n 's/^ \{4\}\([^ ]*\) \{4\}REG_[A-Z_]* \{4\}\(.*\)$/\1=\2/p'
}

# Sets program to the installed folder, shortcut to the Start-menu entry and code to the
# product's code.
install_the_msi() {
  local size user installed profile
  size=$(stat -c %s "$msi") # compressed as the zip is
  [ "$size" -le 8000000 ] || fail "the installer is $size bytes: over 8 MB"
  # msiexec may end with 0 having installed nothing (a 32-bit package under a 64-bit-only
  # Wine does), so what the installer made is looked at.
  "${wine[@]}" msiexec /i "$(windows_path "$msi")" /qn >"$work/msiexec.log" 2>&1 ||
    fail "msiexec /i ended with $?"
  user=$(find "$work/wine/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public -printf '%f\n')
  profile=$work/wine/drive_c/users/$user
  installed="C:\\users\\$user\\AppData\\Local\\Programs\\Omvar"
  program=$profile/AppData/Local/Programs/Omvar
  holds_the_program "$program" || fail "the installed folder holds: $(files_of "$program")"

  shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Omvar  v2.0.lnk"
  [ -f "$shortcut" ] || fail "the Start menu has no \"Omvar  v2.0\""
  strings "$shortcut" | grep -qxF "$installed\\Omvar  v2.0.exe" ||
    fail "the Start-menu entry does not start $installed\\Omvar  v2.0.exe"
  strings -e l "$shortcut" | grep -qF "$installed\\" ||
    fail "the Start-menu entry does not start the game in $installed"

  # "Apps & features" lists what Wine's uninstaller lists; Wine keeps the entries under HKLM.
  "${wine[@]}" uninstaller --list >"$work/apps.txt" 2>&1
  code=$(tr -d '\r' <"$work/apps.txt" | sed -n 's/^\({[0-9A-F-]*}\)|||Omvar  v2\.0$/\1/p')
  [ -n "$code" ] || fail "\"Apps & features\" lists: $(tr '\r\n' '  ' <"$work/apps.txt")"
  local values entry
  values=$(registry_values "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code")
  for entry in "DisplayVersion=2.00" "Publisher=Omvar team" "InstallLocation=$installed\\" \
      "UninstallString=MsiExec.exe /X$code"; do
    grep -qxF "$entry" <<<"$values" || fail "\"Apps & features\" lacks $entry: $values"
  done
  echo "installed into $installed, with a Start-menu entry and \"Apps & features\" (2.00)"
}

# The score table the game saved stays, byte for byte, and nothing else of the program.
uninstall_the_msi() {
  cp "$program/Data5.dat" "$work/scores"
  "${wine[@]}" msiexec /x "$(windows_path "$msi")" /qn >>"$work/msiexec.log" 2>&1 ||
    fail "msiexec /x ended with $?"
  local left
  left=$(cd "$program" && find . -mindepth 1 | paste -sd'|')
  [ "$left" = ./Data5.dat ] || fail "after uninstalling, the folder holds: $left"
  cmp -s "$program/Data5.dat" "$work/scores" || fail "uninstalling changed Data5.dat"
  [ ! -e "$shortcut" ] || fail "the Start-menu entry outlived the uninstall"
  "${wine[@]}" uninstaller --list >"$work/apps.txt" 2>&1
  ! grep -qF "$code" "$work/apps.txt" || fail "\"Apps & features\" still lists the game"
  echo "uninstalled: the program and its entries gone, Data5.dat kept"
}
