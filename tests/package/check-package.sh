#!/usr/bin/env bash
# Runs scripts/package as a user does (from the top folder, no settings) and
# checks what it wrote: the screenshot, the package's file list, its control
# file, the launcher's way to the program folder, the desktop entry as GIO
# loads it, and the two desktop validators on the files it installs.
set -uo pipefail
repo=$(realpath "$(dirname "$0")/../..")
fail=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok    $what"; else echo "FAIL  $what"; fail=1; fi
}

(cd "$repo" && scripts/package) || { echo "FAIL  scripts/package"; exit 1; }
shot="$repo/build/package/screenshot.png"
# The whole screen, and more than a blank one: the window is on it.
check "screenshot of the whole screen, the window on it" \
  test "$(identify -format '%m %w %h' "$shot")" = "PNG 1280 800" -a "$(identify -format '%k' "$shot")" -gt 16
arch=$(dpkg --print-architecture)
version=$(sed -n 's/^project(Sorvan VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
deb="$repo/build/package/sorvan_${version}_${arch}.deb"
check "package named sorvan_${version}_${arch}.deb" test -f "$deb" || exit 1

files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|')
for f in /usr/lib/sorvan/Sorvan /usr/lib/sorvan/libsorvan_webview.so /usr/lib/sorvan/Start.wav \
         /usr/lib/sorvan/Trevixhelp.htm /usr/bin/sorvan /usr/share/applications/sorvan.desktop \
         /usr/share/metainfo/sorvan.metainfo.xml /usr/share/mime/packages/sorvan.xml \
         /usr/share/icons/hicolor/16x16/apps/sorvan.png /usr/share/icons/hicolor/32x32/apps/sorvan.png \
         /usr/share/icons/hicolor/48x48/apps/sorvan.png /usr/share/icons/hicolor/256x256/apps/sorvan.png; do
  check "holds $f" grep -qx "$f" <<<"$files"
done
check "eight background pictures in the program folder" \
  test "$(grep -c '^/usr/lib/sorvan/[^/]*\.jpg$' <<<"$files")" -eq 8
check "nothing outside /usr" test -z "$(grep -v '^/$\|^/usr\(/\|$\)' <<<"$files")"

field() { dpkg-deb -f "$deb" "$1"; }
check "Package: sorvan" test "$(field Package)" = sorvan
check "Version: $version" test "$(field Version)" = "$version"
check "Architecture: $arch" test "$(field Architecture)" = "$arch"
depends=$(field Depends)
for d in libqt6widgets6 libqt6dbus6 libqt6network6 libqt6webenginewidgets6 libvlc5 libcdio19 libc6 vlc-plugin-base \
         vlc-plugin-video-output vlc-plugin-fluidsynth timgm6mb-soundfont fonts-ipafont-gothic \
         qt6-translations-l10n; do
  check "Depends on $d" grep -qE "(^|, )$d( |,|$)" <<<"$depends"
done

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
check "launcher starts the program folder /usr/lib/sorvan" \
  test "$(cd "$tree/usr/bin" && realpath -m "$(sed -n 's|^program_dir="$(dirname "$script")/\(.*\)"$|\1|p' sorvan)")" \
       = "$tree/usr/lib/sorvan"
check "no maintainer scripts (the triggers of the desktop's caches do it)" \
  test -z "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E '(pre|post)(inst|rm)$')"
entry="$tree/usr/share/applications/sorvan.desktop"
check "desktop entry takes files: Exec=sorvan %F" grep -qx 'Exec=sorvan %F' "$entry"
media_types="audio/midi audio/x-midi audio/x-wav audio/wav audio/mpeg video/x-msvideo video/mpeg video/quicktime"
for type in $media_types; do
  check "desktop entry opens $type" grep -qE "^MimeType=(.*;)?$type;" "$entry"
done
mime="$tree/usr/share/mime"
check "list file type: glob *.lst weighing less than the usual 50, an icon" \
  grep -qE '<glob pattern="\*\.lst" weight="[1-4]?[0-9]"/>' "$mime/packages/sorvan.xml"
check "list file type known to update-mime-database" \
  sh -c "update-mime-database '$mime' && grep -q 'application/x-sorvan-list:\*\.lst' '$mime/globs2' \
         && grep -q 'application/x-sorvan-list' '$mime/icons'"
# What menus and "Open With" are built on: GIO loads the entry only when its
# TryExec names a program on the PATH.
check "GIO loads the desktop entry, command sorvan %F" \
  env PATH="$tree/usr/bin:$PATH" /usr/bin/python3 -c '
import sys, gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio
entry = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
sys.exit(entry.get_executable() != "sorvan" or entry.get_commandline() != "sorvan %F")' "$entry"
check "desktop-file-validate has nothing to say" \
  test -z "$(desktop-file-validate "$tree/usr/share/applications/sorvan.desktop" 2>&1)"
meta="$tree/usr/share/metainfo/sorvan.metainfo.xml"
check "AppStream name and summary in Japanese and English" \
  test "$(grep -cE '<(name|summary)( xml:lang="ja")?>' "$meta")" -eq 4
for type in MIDI WAV MP3 AVI MPEG MPG MOV; do
  check "AppStream names the file type $type" grep -q "<keyword>$type</keyword>" "$meta"
done
for type in $media_types; do
  check "AppStream provides $type" grep -q "<mediatype>$type</mediatype>" "$meta"
done
check "AppStream screenshot" grep -q '<image type="source" width="1280" height="800">https://' "$meta"
check "appstreamcli validate --no-net passes" \
  appstreamcli validate --no-net "$tree/usr/share/metainfo/sorvan.metainfo.xml"
exit $fail
