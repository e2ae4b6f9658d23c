#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) and checks what a desktop
# reads from it: the menu entry, the software-centre description, the man
# pages, the bash completion, and the MIME package once update-mime-database
# has built a database from it.
#   install_checks.sh <build folder> <mime_lookup_test>
set -euo pipefail
build=$1
mime_lookup_test=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stage=$scratch/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
share=$stage/usr/share
app_id=example.tovra_mascot.TovraMascot

failed=0
check() {  # check <what> <command...>: runs the command, names it when it fails
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what" >&2
    failed=1
  fi
}

# Everything the program and its desktop entry name.
for file in bin/mascot bin/mascot-tool share/tovra-mascot/Mascot.hlp \
  share/tovra-mascot/Mascots/Pip.mascot share/applications/$app_id.desktop \
  share/icons/hicolor/16x16/apps/$app_id.png share/icons/hicolor/256x256/apps/$app_id.png \
  share/icons/hicolor/48x48/mimetypes/application-x-tovra-mascot.png \
  share/icons/hicolor/48x48/mimetypes/text-x-tovra-wmascot.png \
  share/man/man1/mascot.1.gz share/man/man1/mascot-tool.1.gz \
  share/bash-completion/completions/mascot-tool; do
  check "installed $file" test -s "$stage/usr/$file"
done

check "desktop-file-validate" desktop-file-validate "$share/applications/$app_id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net --explain "$share/metainfo/$app_id.metainfo.xml"

# man prints its own and groff's warnings on standard error.
render_man() {
  local errors
  errors=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
  [ -z "$errors" ] || { echo "$errors" >&2; return 1; }
}
check "man -l mascot.1" render_man "$share/man/man1/mascot.1.gz"
check "man -l mascot-tool.1" render_man "$share/man/man1/mascot-tool.1.gz"

# The completion offers the commands, then each command's options.
complete_words() {
  bash -c '
    . /usr/share/bash-completion/bash_completion
    . "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _mascot_tool mascot-tool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    echo "${COMPREPLY[*]}"' _ "$share/bash-completion/completions/mascot-tool" "$@"
}
if [ -f /usr/share/bash-completion/bash_completion ]; then
  check "completion of commands" test "$(complete_words mascot-tool i)" = "info import image-info"
  check "completion of import's options" test "$(complete_words mascot-tool import a.pylx --)" = "--help --to --overwrite"
fi

# The MIME package, installed into a scratch data folder as a desktop would.
data_home=$scratch/data
mkdir -p "$data_home/mime/packages"
cp "$share/mime/packages/"*.xml "$data_home/mime/packages/"
check "update-mime-database" env XDG_DATA_HOME="$data_home" update-mime-database "$data_home/mime"
cp "$share/tovra-mascot/Mascots/Pip.mascot" "$scratch/x.bin"
bitmap=$(find "$build/samples/sources" -name '*.bmp' -print -quit)
cp "$bitmap" "$scratch/y.bin"
printf '; a work file\n[Frame1]\nFilename = a.bmp\n' >"$scratch/Pip.wmascot"
check "MIME lookups" env XDG_DATA_HOME="$data_home" XDG_DATA_DIRS=/usr/share \
  MIME_TEST_RENAMED_MASCOT="$scratch/x.bin" MIME_TEST_MASCOT="$share/tovra-mascot/Mascots/Pip.mascot" \
  MIME_TEST_WORK_FILE="$scratch/Pip.wmascot" MIME_TEST_OTHER_BINARY="$scratch/y.bin" \
  "$mime_lookup_test" --gtest_brief=1

exit $failed
