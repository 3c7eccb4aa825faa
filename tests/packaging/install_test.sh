#!/usr/bin/env bash
# install_test.sh BUILD_DIR SOURCE_DIR VERSION
# Installs BUILD_DIR with prefix /usr into a temporary DESTDIR and checks every
# installed file: the set of files, the programs running from there, the desktop
# entry, the icon sizes, the udev rule and the manual pages against --help.
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
  usr/bin/quorix-cli
  usr/bin/quorix-console
  usr/lib/udev/rules.d/70-quorix.rules
  usr/share/applications/quorix-console.desktop
  usr/share/doc/quorix-console/changelog.gz
  usr/share/doc/quorix-console/copyright
  usr/share/icons/hicolor/scalable/apps/quorix-console.svg
  usr/share/man/man1/quorix-cli.1.gz
  usr/share/man/man1/quorix-console.1.gz
)
for s in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${s}x${s}/apps/quorix-console.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the expected list (< missing, > unexpected)"

# The programs run from the installed place alone, with the project's version.
[ "$("$usr/bin/quorix-cli" --version)" = "quorix-cli $version" ] || fail "quorix-cli --version"
[ "$("$usr/bin/quorix-console" --version 2>/dev/null)" = "quorix-console $version" ] || fail "quorix-console --version"
"$usr/bin/quorix-console" --help | grep -q -- '--simulator' || fail "quorix-console --help"

desktop=$usr/share/applications/quorix-console.desktop
for line in 'Name=Quorix Console' 'Name\[zh_CN\]=.*[^ -~]' 'Categories=AudioVideo;Audio;' 'Exec=quorix-console$' \
            'Icon=quorix-console$' 'Type=Application'; do
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

# The description of each manual page is the program's --help, word for word once unescaped.
for program in quorix-cli quorix-console; do
  page=$usr/share/man/man1/$program.1.gz
  zcat "$page" | grep -q "^\.TH ${program^^} 1 .*Quorix Console $version" || fail "$page header"
  diff <(zcat "$page" | sed -n '/^\.nf$/,/^\.fi$/p' | sed '1d;$d' | sed 's/\\-/-/g; s/\\e/\\/g; s/^\\&//') \
       <("$usr/bin/$program" --help | sed "s|$usr/bin/||") || fail "$page differs from $program --help"
done

zcat "$usr/share/doc/quorix-console/changelog.gz" | head -1 | grep -q "^quorix-console ($version) " || fail "changelog version"

[ "$failures" -eq 0 ] && echo "installed files checked in $root"
exit $((failures > 0))
