#!/usr/bin/env bash
# bench/startup.sh [STARTS] [ARCH]
# Times STARTS starts (default 40) of autolaunch.exe with an autorun.inf whose
# entry is empty, against as many starts of a program that only exits, under
# Wine in one run, and prints the ratio: autolaunch's own cost over the bare
# cost of starting a process. Run scripts/build first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
starts=${1:-40}
arch=${2:-x64}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
unset DISPLAY

work=$root/build/bench-startup
rm -rf "$work" && mkdir -p "$work/media"
if [ "$arch" = x86 ]; then triple=i686-w64-mingw32; entry=_ExitOnlyEntry; else triple=x86_64-w64-mingw32; entry=ExitOnlyEntry; fi
$triple-g++-posix -Os -s -nostdlib -mwindows -Wl,-e,$entry -o "$work/exit_only.exe" \
  bench/exit_only.cpp -lkernel32
cp "dist/$arch/autolaunch.exe" "$work/media/"
printf '[autorun]\r\nopen=\r\n' > "$work/media/autorun.inf"

scripts/wine-session start
trap 'scripts/wine-session stop' EXIT

time_starts() {  # prints the seconds that $starts runs of $1 took
  local begin end i
  begin=$(date +%s%N)
  for ((i = 0; i < starts; i++)); do
    scripts/wine-run "$arch" "$1" </dev/null >/dev/null 2>&1
  done
  end=$(date +%s%N)
  awk "BEGIN { printf \"%.3f\", ($end - $begin) / 1e9 }"
}

time_starts "$work/exit_only.exe" >/dev/null  # warm up the caches
bare=$(time_starts "$work/exit_only.exe")
launcher=$(time_starts "$work/media/autolaunch.exe")
echo "$arch, $starts starts each under Wine:"
awk -v bare="$bare" -v launcher="$launcher" -v n="$starts" 'BEGIN {
  printf "  exit-only program: %.3f s  (%.1f ms a start)\n", bare, bare * 1000 / n
  printf "  autolaunch.exe:    %.3f s  (%.1f ms a start)\n", launcher, launcher * 1000 / n
  printf "  ratio:             %.3f\n", launcher / bare
}'
