#!/usr/bin/env bash
# Runs mascot-tool as users and scripts do. Usage:
#   tool_checks.sh CASE TOOL MASCOTS_DIR SOURCES_DIR SCRATCH_DIR
set -u
case_name=$1 tool=$2 mascots=$3 sources=$4 scratch=$5/$1
rm -rf "$scratch" && mkdir -p "$scratch"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Runs the tool; keeps stdout, stderr and the exit status.
run() {
  "$tool" "$@" >"$scratch/out" 2>"$scratch/err"
  status=$?
  if [ "$status" -ge 128 ]; then fail "mascot-tool $* crashed (status $status)"; cat "$scratch/err" >&2; fi
}

expect_failure() {
  run "$@"
  [ "$status" = 1 ] || fail "mascot-tool $* exited with $status, not 1"
  grep -q '^Error (' "$scratch/err" || fail "mascot-tool $* printed no error text: $(cat "$scratch/err")"
}

samples=("$mascots"/*.mascot)
[ -e "${samples[0]}" ] || { echo "no sample mascots in $mascots" >&2; exit 1; }

case $case_name in
verify-samples)
  run verify "${samples[@]}"
  [ "$status" = 0 ] || fail "verify of the samples: $(cat "$scratch/err")"
  [ "$(grep -c ': OK (published mascot' "$scratch/out")" = "${#samples[@]}" ] || fail "not every sample verified"
  run verify "$sources"/*/*.wmascot
  [ "$status" = 0 ] || fail "verify of the sample work files: $(cat "$scratch/err")"
  ;;
roundtrip)
  for mascot in "${samples[@]}"; do
    name=$(basename "$mascot" .mascot)
    run export "$mascot" "$scratch/$name"
    [ "$status" = 0 ] || { fail "export $name: $(cat "$scratch/err")"; continue; }
    run publish "$scratch/$name/$name.wmascot" "$scratch/$name.mascot"
    [ "$status" = 0 ] || { fail "publish $name: $(cat "$scratch/err")"; continue; }
    cmp -s "$mascot" "$scratch/$name.mascot" || fail "$name: export then publish changed the bytes"
  done
  # Without sound and read-me (the older format version), with a blank frame
  # and the published file beside the work file.
  mkdir -p "$scratch/bare" && cp "$sources"/Pip/* "$scratch/bare/"
  sed -i -e '/^SoundPath/d' -e '/^Readme/d' -e 's/^Filename = pip-blink.bmp/Filename =/' "$scratch/bare/Pip.wmascot"
  run publish "$scratch/bare/Pip.wmascot"
  [ "$status" = 0 ] && [ -e "$scratch/bare/Pip.mascot" ] || fail "publish beside the work file: $(cat "$scratch/err")"
  run info "$scratch/bare/Pip.mascot"
  grep -q 'Format version: v1.0' "$scratch/out" && grep -q '^Sound: none' "$scratch/out" || fail "bare Pip: $(cat "$scratch/out")"
  run export "$scratch/bare/Pip.mascot" "$scratch/bare-export"
  run publish "$scratch/bare-export/Pip.wmascot" "$scratch/bare-again.mascot"
  cmp -s "$scratch/bare/Pip.mascot" "$scratch/bare-again.mascot" || fail "bare Pip: export then publish changed the bytes"
  ;;
broken-files)
  # Cut short, one byte changed after the CRC, not a container, missing.
  head -c 3000 "${samples[0]}" >"$scratch/short.mascot"
  cp "${samples[0]}" "$scratch/changed.mascot"
  printf '\x5A' | dd of="$scratch/changed.mascot" bs=1 seek=200 conv=notrunc 2>/dev/null
  printf 'not a mascot at all' >"$scratch/text.mascot"
  for file in short changed text missing; do
    expect_failure verify "$scratch/$file.mascot"
    expect_failure info "$scratch/$file.mascot"
    expect_failure export "$scratch/$file.mascot" "$scratch/export-$file"
  done
  expect_failure verify "${samples[0]}" "$scratch/short.mascot"
  grep -q ': OK' "$scratch/out" || fail "verify stopped at the first broken file"
  # A work file whose picture is missing publishes nothing.
  mkdir -p "$scratch/work" && cp "$sources"/Pip/* "$scratch/work/"
  rm "$scratch/work/pip-blink.bmp"
  expect_failure publish "$scratch/work/Pip.wmascot" "$scratch/work/Pip.mascot"
  grep -q 'There was a problem loading one or more images' "$scratch/err" || fail "publish did not list the image problem"
  [ ! -e "$scratch/work/Pip.mascot" ] || fail "publish wrote a mascot with a missing picture"
  ;;
info-json)
  for mascot in "${samples[@]}" "$sources"/Pip/Pip.wmascot; do
    run info "$mascot" --json
    [ "$status" = 0 ] || fail "info --json $mascot: $(cat "$scratch/err")"
    head -c 1 "$scratch/out" | grep -q '{' && tail -n 1 "$scratch/out" | grep -q '^}$' || fail "info --json $mascot is not one object"
    for key in '"kind"' '"mascot"' '"frames"'; do grep -q "$key" "$scratch/out" || fail "$mascot: no $key"; done
    if command -v python3 >/dev/null; then
      python3 -m json.tool "$scratch/out" >/dev/null || fail "info --json $mascot is not valid JSON"
    fi
  done
  # Quotes, backslashes, tabs and Windows-1252 bytes in texts stay valid JSON.
  printf '; Configuration file for Tovra Mascot\n[Mascot]\nName = Say "hi" \\ there\\tnow \xe9t\xe9\n[Frame1]\nFilename = x.bmp\n' \
    >"$scratch/odd.wmascot"
  run info "$scratch/odd.wmascot" --json
  grep -qF '"name": "Say \"hi\" \\ there\tnow été"' "$scratch/out" || fail "odd texts: $(grep name "$scratch/out")"
  run info "${samples[0]}" --json
  for key in '"resources"' '"pictures"' '"sound"' '"state": "valid"' '"type": "MSCT"'; do
    grep -q "$key" "$scratch/out" || fail "published info has no $key"
  done
  ;;
image-info)
  cat >"$scratch/dot.xpm" <<'XPM'
/* XPM */
static char *dot[] = {
"3 2 2 1",
". c None",
"o c #FF0000",
".o.",
"ooo",
};
XPM
  for pair in "$sources/Pip/pip-stand.bmp:BMP" "$sources/Bolt/bolt-idle.pcx:PCX" \
              "$sources/Moss/moss-sit.lbm:IFF picture" "$sources/Moss/moss-flower.lbm:IFF picture" \
              "$scratch/dot.xpm:XPM"; do
    file=${pair%%:*} type=${pair#*:}
    run image-info "$file"
    [ "$status" = 0 ] || fail "image-info $file: $(cat "$scratch/err")"
    grep -q "^Type: $type" "$scratch/out" || fail "image-info $file: not $type"
    run convert-image "$file" "$scratch/picture.png" --transparent
    [ "$status" = 0 ] && head -c 8 "$scratch/picture.png" | grep -q PNG || fail "convert-image $file wrote no PNG"
  done
  grep -q 'Width: 4' < <("$tool" image-info "$scratch/dot.xpm") || fail "XPM rows are not widened to 4"
  expect_failure image-info "$scratch/missing.bmp"
  expect_failure convert-image "$scratch/dot.xpm" "$scratch/no-such-folder/x.png"
  ;;
import)
  mkdir -p "$scratch/pylx"
  printf 'Pylx*menu.titleE: Dot\nPylx*menu.numFrame: 2\nPylx*menu.xpmFile0: dot.xpm\nPylx*menu.minFrame0: 5\nPylx*menu.xpmFile1: dot.xpm\n' \
    >"$scratch/pylx/dot.pylx"
  printf '/* XPM */\n"4 2 2 1",\n". c None",\n"o c blue",\n".oo.",\n"oooo",\n' >"$scratch/pylx/dot.xpm"
  run import "$scratch/pylx/dot.pylx" --to "$scratch/Mascots"
  [ "$status" = 0 ] || fail "import: $(cat "$scratch/err")"
  grep -q 'The mascot was successfully imported.' "$scratch/out" || fail "import did not say so"
  run verify "$scratch/Mascots/dot.mascot"
  [ "$status" = 0 ] || fail "the imported mascot does not verify"
  run import "$scratch/pylx/dot.pylx" --to "$scratch/Mascots"
  [ -e "$scratch/Mascots/dot1.mascot" ] || fail "a second import did not take the next free name"
  run import "$scratch/pylx/missing.pylx" --to "$scratch/Mascots"
  [ "$status" = 1 ] && grep -q 'Failed to import any mascots.' "$scratch/err" || fail "a missing file was imported"
  ;;
usage)
  for command in publish info verify export import image-info convert-image; do
    run "$command" --help
    [ "$status" = 0 ] && grep -q "^Usage: mascot-tool $command" "$scratch/out" || fail "$command --help"
    run "$command"
    [ "$status" = 2 ] || fail "$command without arguments exited with $status"
  done
  run frobnicate
  [ "$status" = 2 ] || fail "an unknown command exited with $status"
  run info --bogus x
  [ "$status" = 2 ] || fail "an unknown option exited with $status"
  ;;
*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
exit $((failures > 0))
