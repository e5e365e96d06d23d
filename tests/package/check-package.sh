#!/usr/bin/env bash
# check-package.sh BUILD_DIR WORK_DIR
# Builds the Debian package from BUILD_DIR with cpack (no rebuild) and checks
# that it holds exactly what `cmake --install` puts under /usr, that its
# control fields and dependencies are there, that the programs run from the
# unpacked tree find their language files, that the metadata and manual pages
# are valid, and that lintian reports no error.
set -uo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
fi
shopt -s nullglob
debs=("$work"/out/videoconverters_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one videoconverters_*.deb, found ${#debs[@]}"
    exit 1
fi
deb=${debs[0]}
echo "package: $deb"

# Control fields.
info=$(dpkg-deb --info "$deb")
echo "$info"
for field in Package Version Architecture Section Priority Maintainer Homepage Description; do
    value=$(dpkg-deb --field "$deb" "$field")
    [ -n "$value" ] || fail "control field $field is empty"
done
[ "$(dpkg-deb --field "$deb" Package)" = videoconverters ] || fail "package name"
[ "$(dpkg-deb --field "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
[ "$(dpkg-deb --field "$deb" Section)" = video ] || fail "section"
# Each run-time plugin set, and libraries only the binaries' links name.
depends=$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed -E 's/^ +//; s/ .*//')
for needed in gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad \
    gstreamer1.0-plugins-ugly gstreamer1.0-libav libqt6widgets6 libges-1.0-0 libgstreamer1.0-0 libc6; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

# The files are those `cmake --install` puts under the /usr prefix, no more, no fewer.
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >/dev/null ||
    fail "cmake --install"
(cd "$work/installed" && find . -type f | sed 's|^\./|/|' | sort) >"$work/installed.list"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./|/|' | sort >"$work/package.list"
if ! diff -u "$work/installed.list" "$work/package.list"; then
    fail "package files differ from cmake --install (- installed, + package)"
fi
for path in /usr/bin/veltrano /usr/bin/caspari \
    /usr/share/videoconverters/language/English.ini /usr/share/videoconverters/language/German.ini \
    /usr/share/videoconverters/help/veltrano.html /usr/share/videoconverters/help/caspari.html \
    /usr/share/applications/veltrano.desktop /usr/share/applications/caspari.desktop \
    /usr/share/icons/hicolor/scalable/apps/veltrano.svg /usr/share/icons/hicolor/scalable/apps/caspari.svg \
    /usr/share/man/man1/veltrano.1.gz /usr/share/man/man1/caspari.1.gz \
    /usr/share/doc/videoconverters/copyright /usr/share/doc/videoconverters/changelog.gz; do
    grep -qx "$path" "$work/package.list" || fail "package lacks $path"
done
metainfo=$(grep -c '^/usr/share/metainfo/.*\.metainfo\.xml$' "$work/package.list")
[ "$metainfo" -eq 2 ] || fail "expected two metainfo files, found $metainfo"

root="$work/root"
dpkg-deb -x "$deb" "$root"

# The software-centre entries: valid, launching a menu entry the package holds,
# offering the video types that entry opens, with the package's binary.
for xml in "$root"/usr/share/metainfo/*.metainfo.xml; do
    if ! appstreamcli validate --no-net "$xml"; then
        fail "appstreamcli validate $(basename "$xml")"
    fi
    launchable=$(sed -nE 's|.*<launchable type="desktop-id">(.*)</launchable>.*|\1|p' "$xml")
    program=${launchable%.desktop}
    entry="$root/usr/share/applications/$launchable"
    if [ -z "$launchable" ] || [ ! -f "$entry" ]; then
        fail "$(basename "$xml"): launchable '$launchable' is not in the package"
        continue
    fi
    grep -q "<binary>$program</binary>" "$xml" || fail "$(basename "$xml") names no binary $program"
    for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
        grep -q "<mediatype>$type</mediatype>" "$xml" || fail "$(basename "$xml") lacks $type"
    done
done

# The manual pages render without warnings and name every option --help lists.
for program in veltrano caspari; do
    page="$root/usr/share/man/man1/$program.1.gz"
    text=$(MANWIDTH=100 man --warnings -l "$page" 2>"$work/man-$program.err")
    if [ -s "$work/man-$program.err" ] || [ -z "$text" ]; then
        fail "man page of $program: $(cat "$work/man-$program.err")"
    fi
    options=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/$program" --help |
        grep -oE -- '--[a-z][a-z-]+' | sort -u)
    [ -n "$options" ] || fail "$program --help lists no options"
    for option in $options; do
        grep -qF -- "$option" <<<"$text" || fail "man page of $program lacks $option"
    done
done

# Run from the unpacked tree, the programs find the language files under
# share/: with German stored, a refused video is reported in German.
for program in veltrano caspari; do
    home="$work/home-$program"
    mkdir -p "$home/.config/TarnwickStudio"
    printf '[Option]\nCurrentLanguage=German\n' >"$home/.config/TarnwickStudio/$program.conf"
    # The manual page and the software-centre release name the version the program prints.
    version=$("$root/usr/bin/$program" --version)
    [[ $version == "$program "[0-9]* ]] || fail "$program --version said '$version'"
    zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH .*\"$version\"" ||
        fail "man page of $program is not of $version"
    grep -q "<release version=\"${version#"$program "}\"" "$root"/usr/share/metainfo/*."$program".metainfo.xml ||
        fail "metainfo of $program has no release ${version#"$program "}"
    said=$(HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/$program" --convert "$work/missing.mkv" 2>&1)
    status=$?
    [ $status -eq 1 ] || fail "$program --convert of a missing file exited $status"
    grep -q "Die Datei kann nicht geöffnet werden" <<<"$said" ||
        fail "$program did not speak German from its installed language files: $said"
done

# The Debian checker: warnings are reported, errors fail.
echo "lintian:"
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' | tee "$work/lintian.log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || fail "lintian reported errors"
echo "lintian: $(grep -c '^E:' "$work/lintian.log") errors, $(grep -c '^W:' "$work/lintian.log") warnings"

if [ $failures -ne 0 ]; then
    echo "package check: $failures failures"
    exit 1
fi
echo "package check: passed"
