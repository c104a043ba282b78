#!/usr/bin/env bash
# check_package.sh BUILD_DIR: makes the Debian package of a finished build in a
# folder of its own, checks what it holds, then runs the programs of the
# unpacked tree where it lies and checks which program folder they take.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

source "$(dirname "$0")/make_package.sh"
make_package "$build" "$work"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/grapher /usr/bin/fetcher /usr/bin/product-service \
  /usr/share/quillon/setting.ini /usr/share/quillon/keywords.txt \
  /usr/share/applications/quillon-grapher.desktop /usr/share/applications/quillon-fetcher.desktop \
  /usr/share/man/man1/grapher.1.gz /usr/share/man/man1/fetcher.1.gz \
  /usr/share/man/man1/product-service.1.gz \
  /usr/share/doc/quillon/copyright /usr/share/doc/quillon/changelog.gz \
  /usr/share/doc/quillon/README.md; do
  grep -qx "$file" "$work/files" || fail "the package lacks $file"
done
for icon in quillon-grapher quillon-fetcher; do
  for size in 32x32 48x48 256x256; do
    grep -qx "/usr/share/icons/hicolor/$size/apps/$icon.png" "$work/files" ||
      fail "the package lacks the $size icon $icon"
  done
  grep -qx "/usr/share/icons/hicolor/scalable/apps/$icon.svg" "$work/files" ||
    fail "the package lacks the scalable icon $icon"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libcurl4 qt6-qpa-plugins; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $recommends == *qt6-translations-l10n* ]] || fail "Recommends lacks Qt's translations: $recommends"

# The unpacked tree, run where it lies. With no records the load fails naming a
# file of the folder it looked in, which is all these runs need.
dpkg-deb -x "$deb" "$work/root"
bin=$work/root/usr/bin
looked_in() { # FOLDER, then the command: the run named a file of FOLDER
  local folder=$1
  shift
  local err
  err=$("$@" --json "$work/out.json" 2>&1 >/dev/null) || true
  [[ $err == *" $folder/"* ]] || fail "$* did not use $folder: $err"
}

tr -d '\r' <"$work/root/usr/share/quillon/setting.ini" | grep -qx 'XMLPath=records' ||
  fail "a new user's setting.ini does not keep the records in a subfolder"
changelog_version=$(zcat "$work/root/usr/share/doc/quillon/changelog.gz" | sed -n '1s/^quillon (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$(dpkg-deb -f "$deb" Version)" ] ||
  fail "the changelog's latest entry ($changelog_version) is not the package's version"

# Each usage form of --help is one line of the man page's synopsis, and nothing
# of them spills into the description.
for program in grapher fetcher product-service; do
  forms=$("$bin/$program" --help | grep -cE "^(Usage: |  or:  )$program ")
  synopsis=$(zcat "$work/root/usr/share/man/man1/$program.1.gz" |
    sed -n '/^\.SH SYNOPSIS/,/^\.SH /p' | grep -c "^\.B $program\$")
  [ "$forms" -gt 0 ] && [ "$forms" = "$synopsis" ] ||
    fail "$program: $forms usage forms in --help, $synopsis in the man page's synopsis"
  zcat "$work/root/usr/share/man/man1/$program.1.gz" | sed -n '/^\.SH DESCRIPTION/,/^\.SH /p' |
    grep -q -- '--folder DIR\|--catalogue FILE \[' &&
    fail "$program: a usage form spilled into the man page's description"
done

looked_in "$work/xdg/quillon" env XDG_DATA_HOME="$work/xdg" "$bin/grapher"
cmp -s "$work/xdg/quillon/setting.ini" "$work/root/usr/share/quillon/setting.ini" ||
  fail "the user folder was not seeded with setting.ini"
cmp -s "$work/xdg/quillon/keywords.txt" "$work/root/usr/share/quillon/keywords.txt" ||
  fail "the user folder was not seeded with keywords.txt"
echo edited >"$work/xdg/quillon/setting.ini"
looked_in "$work/xdg/quillon" env XDG_DATA_HOME="$work/xdg" "$bin/grapher"
[ "$(cat "$work/xdg/quillon/setting.ini")" = edited ] || fail "an edited setting.ini was replaced"

looked_in "$work/home/.local/share/quillon" env -u XDG_DATA_HOME HOME="$work/home" "$bin/grapher"
mkdir "$work/named"
looked_in "$work/named" env XDG_DATA_HOME="$work/xdg-unused" "$bin/grapher" --folder "$work/named"
[ ! -e "$work/xdg-unused" ] || fail "--folder still made the user folder"

# A folder holding the program and setting.ini is a portable install.
mkdir "$work/portable"
cp "$bin/grapher" "$work/root/usr/share/quillon/setting.ini" "$work/portable/"
looked_in "$work/portable" env XDG_DATA_HOME="$work/xdg-unused" "$work/portable/grapher"
[ ! -e "$work/xdg-unused" ] || fail "a portable install made the user folder"

"$bin/fetcher" --help | grep -q 'XDG_DATA_HOME' || fail "fetcher --help does not name the user folder"
zcat "$work/root/usr/share/man/man1/grapher.1.gz" | grep -q 'XDG_DATA_HOME' ||
  fail "the grapher's man page does not name the user folder"

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb"): $(wc -l <"$work/files") entries, all checks passed"
