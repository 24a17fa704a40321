#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop finds there: exactly the
# program, its menu entry, its icons, its AppStream data, its manual page, copyright notice and
# changelog, each valid. Then runs the installed
# program with no display and an empty home folder, which must stay empty: --help and --version
# answer, and a start without options ends with a message instead of Qt's abort. Last it builds
# the Debian package, reads its fields and has lintian check it.
# Usage: check_install.sh <cmake> <cpack> <build folder> <version> <app id>
set -uo pipefail
cmake=$1 cpack=$2 build=$3 version=$4 id=$5

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dest=$root/dest
failed=0
checks=0
check() { # check <what> <command...>: one check, passed when the command succeeds
    local what=$1
    shift
    checks=$((checks + 1))
    if ! "$@"; then
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}

if ! DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >"$root/install.log" 2>&1; then
    cat "$root/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# Exactly these files: no test, benchmark or helper tool.
sizes=(16 24 32 48 64 128 256)
expected=(usr/games/drovex
          usr/share/doc/drovex/changelog.gz
          usr/share/doc/drovex/copyright
          usr/share/man/man6/drovex.6.gz
          "usr/share/applications/$id.desktop"
          "usr/share/metainfo/$id.metainfo.xml"
          "usr/share/icons/hicolor/scalable/apps/$id.svg")
for s in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${s}x${s}/apps/$id.png")
done
printf '%s\n' "${expected[@]}" | sort >"$root/expected"
(cd "$dest" && find . ! -type d | sed 's|^\./||' | sort) >"$root/installed"
check "installed files (< expected, > installed)" diff "$root/expected" "$root/installed"
check "the program is executable" test -x "$dest/usr/games/drovex"
check "the changelog's latest entry is $version" grep -q "^drovex ($version) " \
    <(zcat "$dest/usr/share/doc/drovex/changelog.gz" 2>/dev/null | head -1)

# Each PNG is a PNG of its folder's size: its signature, then width and height in the IHDR chunk.
png_size() { od -An -tu1 -N24 "$1" | tr -s ' \n' ' '; }
for s in "${sizes[@]}"; do
    bytes=($(png_size "$dest/usr/share/icons/hicolor/${s}x${s}/apps/$id.png"))
    signature="${bytes[*]:0:8}"
    width=$(( (bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19] ))
    height=$(( (bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23] ))
    check "${s}x${s} icon is a PNG of that size (${width}x${height})" \
        test "$signature $width $height" = "137 80 78 71 13 10 26 10 $s $s"
done

# The menu entry: valid, naming the installed program and icon.
desktop=$dest/usr/share/applications/$id.desktop
check "desktop-file-validate" desktop-file-validate "$desktop"
check "desktop-file-validate says nothing" test -z "$(desktop-file-validate "$desktop" 2>&1)"
check "menu entry's icon is $id" grep -qx "Icon=$id" "$desktop"
check "menu entry starts the installed program" grep -qx "Exec=drovex" "$desktop"
check "menu entry is named Drovex Front-End" grep -qx "Name=Drovex Front-End" "$desktop"

# The AppStream data: valid, for this version, launched by the menu entry. The validator also
# fetches the addresses it names; a host that does not resolve (no network, or the placeholder
# domain the addresses have until a packager sets them) is the one issue it may report.
metainfo=$dest/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --pedantic --format=yaml "$metainfo" >"$root/appstream.yaml" 2>&1
issues=$(grep -c '^- tag:' "$root/appstream.yaml")
unresolved=$(tr -s ' \n' ' ' <"$root/appstream.yaml" | grep -o 'Could not resolve host' | wc -l)
check "appstreamcli validate: no issue but hosts that do not resolve" test "$issues" = "$unresolved"
[ "$issues" = "$unresolved" ] || cat "$root/appstream.yaml"
check "AppStream release $version" grep -q "<release version=\"$version\"" "$metainfo"
check "AppStream launchable $id.desktop" grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
check "AppStream screenshot" grep -Eq "<image>https://[^<]+\.png</image>" "$metainfo"

# The installed program without a display: no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM, and a
# home folder of its own that must stay empty.
home=$root/home
mkdir -p "$home"
run() { # run <name> <arguments...>: status, standard output and error into $root/<name>.*
    local name=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
        "$dest/usr/games/drovex" "$@" >"$root/$name.out" 2>"$root/$name.err" </dev/null
    echo $? >"$root/$name.status"
}
run version --version
check "--version ends with 0" test "$(cat "$root/version.status")" = 0
check "--version prints 'Drovex Front-End $version'" test "$(cat "$root/version.out")" = "Drovex Front-End $version"
check "--version writes no error" test ! -s "$root/version.err"
for option in --help -h; do
    run help "$option"
    check "$option ends with 0" test "$(cat "$root/help.status")" = 0
    check "$option names --version" grep -q -- "--version" "$root/help.out"
    check "$option names the settings file" grep -qF "$home/.config/Drovex Windows Front-End.ini" "$root/help.out"
    check "$option writes no error" test ! -s "$root/help.err"
done
run nodisplay
check "without a display it ends with 1" test "$(cat "$root/nodisplay.status")" = 1
check "without a display it says what to set" grep -qx \
    "drovex: no display: set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen" "$root/nodisplay.err"
check "without a display it prints nothing else" test ! -s "$root/nodisplay.out"
run unknown --no-such-option
check "an unknown option ends with 2" test "$(cat "$root/unknown.status")" = 2
check "an unknown option is named" grep -q "Unknown option 'no-such-option'" "$root/unknown.err"
check "an unknown option prints nothing else" test ! -s "$root/unknown.out"
check "the home folder stays empty" test -z "$(find "$home" -mindepth 1)"
if [ "$failed" -gt 0 ]; then
    for name in version help nodisplay unknown; do
        echo "--- drovex $name: status $(cat "$root/$name.status"), output:"
        cat "$root/$name.out" "$root/$name.err"
    done
fi

# The Debian package: its dependencies computed from the program's libraries, the emulator
# recommended, the same files as the install, and nothing lintian calls an error or a warning.
if (cd "$build" && "$cpack" -G DEB -B "$root/package" >"$root/cpack.log" 2>&1); then
    deb=$(ls "$root"/package/*.deb)
    field() { dpkg-deb -f "$deb" "$1"; }
    check "package named drovex" test "$(field Package)" = drovex
    check "package version $version" test "$(field Version)" = "$version"
    check "package depends on Qt 6 Widgets ($(field Depends))" grep -q "libqt6widgets6" <<<"$(field Depends)"
    check "package depends on the Qt platform plugins" grep -q "qt6-qpa-plugins" <<<"$(field Depends)"
    check "package recommends dosbox" test "$(field Recommends)" = dosbox
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$root/packaged"
    check "packaged files (< expected, > packaged)" diff "$root/expected" "$root/packaged"
    check "lintian reports no error or warning" lintian --fail-on error,warning "$deb"
else
    cat "$root/cpack.log"
    check "cpack -G DEB" false
fi

echo "install checks: $((checks - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
