#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, as CTest's emulator for the Windows build.
#
#   wine_run.sh --prefix <folder> --dlls <folder:folder...> <program.exe> [arguments]
#   wine_run.sh --prefix <folder> --make-prefix
#
# The Wine prefix is the build's own, made once by --make-prefix (the first test): no
# question, no download offer, and a program that crashes ends instead of waiting for a
# click on Wine's crash dialog. Wine hands no QT_* variable of ours on to a Windows program,
# so --make-prefix writes those it is given into the prefix's own environment, where every
# program of the prefix finds them. The DLL folders (Qt's and the compiler's runtime) go on
# Wine's search path. A Qt Test program's report is lost when Wine writes it into a pipe,
# so it goes into a file that is printed afterwards.
set -uo pipefail

prefix=""
dlls=""
make_prefix=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --dlls) dlls=$2; shift 2 ;;
    --make-prefix) make_prefix=1; shift ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || { echo "wine_run.sh: --prefix is missing" >&2; exit 2; }

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
path=""
IFS=':' read -r -a folders <<<"$dlls"
for f in "${folders[@]}"; do
  [ -n "$f" ] && path+="${path:+;}Z:${f//\//\\}"
done
export WINEPATH=$path

if [ "$make_prefix" -eq 1 ]; then
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 || { echo "wine_run.sh: wineboot failed in $prefix" >&2; exit 1; }
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  fi
  while IFS='=' read -r name value; do
    # Unix paths stay as they are: on Wine's drive Z:, where the tests run, a path from the
    # root is the same file (and a drive's colon would end the platform's option list).
    wine reg add 'HKCU\Environment' /v "$name" /d "$value" /f >/dev/null 2>&1 ||
      { echo "wine_run.sh: cannot set $name in $prefix" >&2; exit 1; }
    echo "$name=$value"
  done < <(env | grep '^QT_')
  wineserver -w
  echo "Wine prefix $prefix ($(wine --version))"
  exit 0
fi

program=${1:-}
[ -f "$program" ] || { echo "wine_run.sh: no program at \"$program\"" >&2; exit 2; }
shift
case "$(basename "$program")" in
  tst_*)
    report=$(mktemp --suffix=.txt)
    trap 'rm -f "$report"' EXIT
    wine "$program" -o "Z:${report//\//\\},txt" "$@"
    rc=$?
    cat "$report"
    exit $rc
    ;;
  *)
    exec wine "$program" "$@"
    ;;
esac
