#!/usr/bin/env bash
# install_test.sh BUILD_DIR SOURCE_DIR VERSION
# Installs BUILD_DIR with prefix /usr into a temporary DESTDIR and checks every
# installed file: the set of files, the programs running from there, the desktop
# entry and the file type, the icon sizes, the udev rule and the manual pages.
set -uo pipefail
build=$1 source=$2 version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
usr=$root/usr
sizes=(16 22 24 32 48 64 128 256)

expected=(
  usr/bin/quorix-agent
  usr/bin/quorix-cli
  usr/bin/quorix-console
  usr/lib/systemd/system/quorix-agent.service
  usr/lib/udev/rules.d/70-quorix.rules
  usr/share/applications/quorix-console.desktop
  usr/share/doc/quorix-console/agent.conf.example
  usr/share/doc/quorix-console/changelog.gz
  usr/share/doc/quorix-console/copyright
  usr/share/icons/hicolor/scalable/apps/quorix-console.svg
  usr/share/man/man1/quorix-agent.1.gz
  usr/share/man/man1/quorix-cli.1.gz
  usr/share/man/man1/quorix-console.1.gz
  usr/share/mime/packages/quorix-console.xml
)
for s in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${s}x${s}/apps/quorix-console.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the expected list (< missing, > unexpected)"

# The programs run from the installed place alone, with the project's version,
# and read their options before any window system is needed.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for program in quorix-cli quorix-console; do
  [ "$("${nodisplay[@]}" "$usr/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
  # grep reads it all: -q would stop at the match, and the program writing the
  # rest would die of SIGPIPE, which pipefail counts as a failure.
  "${nodisplay[@]}" "$usr/bin/$program" --help | grep '^Exit status' >/dev/null || fail "$program --help"
  usage=$("${nodisplay[@]}" "$usr/bin/$program" --no-such-option 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 2 ] && grep -q '^Exit status' <<<"$usage" || fail "$program --no-such-option: exit $status"
done

desktop=$usr/share/applications/quorix-console.desktop
for line in 'Name=Quorix Console' 'Name\[zh_CN\]=.*[^ -~]' 'Categories=AudioVideo;Audio;' 'Exec=quorix-console %f$' \
            'Icon=quorix-console$' 'Type=Application' 'MimeType=application/x-quorix-configuration;$'; do
  grep -q "^$line" "$desktop" || fail "desktop entry lacks ^$line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi

# A PNG holds its width and height as big-endian words at bytes 16 and 20.
for s in "${sizes[@]}"; do
  png=$usr/share/icons/hicolor/${s}x${s}/apps/quorix-console.png
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [ "$w $h" = "$s $s" ] || fail "$png is ${w}x$h"
done
svg=$usr/share/icons/hicolor/scalable/apps/quorix-console.svg
grep -q '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">' "$svg" ||
  fail "$svg is not a 256 unit SVG"

cmp -s "$source/packaging/70-quorix.rules" "$usr/lib/udev/rules.d/70-quorix.rules" || fail "udev rule"

# The desktop's database gives a configuration file, in any letter case, the type the entry opens.
mime=$root/mime
mkdir -p "$mime/packages"
cp "$usr/share/mime/packages/quorix-console.xml" "$mime/packages/"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database"
  grep -q '^50:application/x-quorix-configuration:\*\.quorix$' "$mime/globs2" || fail "the *.quorix glob"
  grep -q 'xml:lang="zh_CN">.*[^ -~]' "$mime/application/x-quorix-configuration.xml" || fail "the type's Chinese name"
fi

# Each manual page is dated, has every section a reader looks for, names every
# option of the program's --help and renders without a warning.
for program in quorix-cli quorix-console; do
  page=$usr/share/man/man1/$program.1.gz
  roff=$(zcat "$page")
  grep -q "^\.TH ${program^^} 1 \"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\" \"Quorix Console $version\"" <<<"$roff" ||
    fail "$page header"
  options=OPTIONS
  [ "$program" = quorix-cli ] && options=COMMANDS
  for section in NAME SYNOPSIS DESCRIPTION "$options" "EXIT STATUS" FILES EXAMPLES "SEE ALSO"; do
    grep -qx "\.SH $section" <<<"$roff" || fail "$page lacks $section"
  done
  plain=$(sed 's/\\-/-/g; s/\\f[BIR]//g' <<<"$roff")
  for option in $("$usr/bin/$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$plain" || fail "$page does not name $option"
  done
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -rLL=78n -z 2>&1 <<<"$roff")
  [ -z "$warnings" ] || fail "$page: $warnings"
done

zcat "$usr/share/doc/quorix-console/changelog.gz" | head -1 | grep -q "^quorix-console ($version) " || fail "changelog version"

[ "$failures" -eq 0 ] && echo "installed files checked in $root"
exit $((failures > 0))
