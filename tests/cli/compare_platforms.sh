#!/usr/bin/env bash
# The Windows command line under Wine and the native one over the same real hives (dirty ones
# with their logs): every export, timeline, dump and listing of deleted entries must be byte for
# byte the same. Both run in one folder with the same relative file names, so the reports name their
# sources alike.
#   compare_platforms.sh WINDOWS_CLI NATIVE_CLI HIVE_FIXTURES WINE_LOADER
set -euo pipefail
windows_cli=$1 native_cli=$2 fixtures=$3 wine=$4
if [ ! -x "$native_cli" ]; then
  echo "the native command line ($native_cli) is not built: build the native preset first"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unpack() { xz -dc "$fixtures/$1.xz" >"$2"; }
unpack NTUSER.DAT win7-NTUSER.DAT
unpack SYSTEM SYSTEM
unpack SAM SAM
unpack transactions_NTUSER.DAT NTUSER.DAT
unpack transactions_ntuser.dat.log1 NTUSER.DAT.LOG1
unpack transactions_ntuser.dat.log2 NTUSER.DAT.LOG2
unpack UsrClass.dat UsrClass.dat
unpack UsrClass.dat.LOG1 UsrClass.dat.LOG1
unpack UsrClass.dat.LOG2 UsrClass.dat.LOG2
unpack amcache.hve amcache.hve

run_both() { # run_both NAME ARGS...: the same command line through both programs
  local name=$1
  shift
  mkdir -p "native/$name" "windows/$name"
  "$native_cli" "$@" --out "native/$name/out" >"native/$name/stdout" 2>"native/$name/stderr" ||
    echo "exit $?" >>"native/$name/stderr"
  "$wine" "$windows_cli" "$@" --out "windows/$name/out" >"windows/$name/stdout" \
    2>"windows/$name/stderr" || echo "exit $?" >>"windows/$name/stderr"
  # Where each program wrote differs by its folder's name only.
  sed -i "s#native/$name/out#OUT#g; s#\\\\#/#g" "native/$name/stdout" "native/$name/stderr"
  sed -i "s#windows/$name/out#OUT#g; s#\\\\#/#g" "windows/$name/stdout" "windows/$name/stderr"
}

for format in txt html csv json; do
  run_both "user-$format" export --hive NTUSER.DAT --hive UsrClass.dat --hive SYSTEM \
    --admin --modern --format "$format"
  run_both "win7-$format" export --hive win7-NTUSER.DAT --hive SYSTEM --admin --modern \
    --format "$format"
done
run_both stale-csv export --hive NTUSER.DAT --no-recover --guest --format csv
run_both codepage-html export --hive NTUSER.DAT --modern --format html --codepage 1252
for format in csv jsonl tln bodyfile; do
  run_both "timeline-$format" timeline --hive NTUSER.DAT --hive UsrClass.dat --hive SYSTEM \
    --hive SAM --hive amcache.hve --format "$format"
done
for hive in NTUSER.DAT UsrClass.dat SYSTEM SAM amcache.hve; do
  run_both "dump-$hive-jsonl" dump --hive "$hive" --format jsonl
  run_both "dump-$hive-reg" dump --hive "$hive" --format reg
  run_both "deleted-$hive" deleted --hive "$hive" --format json
done

status=0
if ! diff -r native windows >"$work/diff" 2>&1; then
  head -c 4000 "$work/diff"
  status=1
fi
echo "compared $(find native -type f | wc -l) files"
exit $status
