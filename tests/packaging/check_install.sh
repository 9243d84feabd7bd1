#!/usr/bin/env bash
# Installs the build into a throw-away root and checks what lands there: exactly the program, its
# desktop entry, its AppStream data and the icon at six sizes, each icon a sharp enlargement of
# the 16-pixel one. Nothing is installed on the system and the temporary root is always removed.
#   check_install.sh tree CMAKE BUILD_DIR VERSION SOURCE_ICON ICON_PIXELS   (cmake --install, DESTDIR)
#   check_install.sh deb  CPACK BUILD_DIR VERSION SOURCE_ICON ICON_PIXELS   (cpack, then dpkg-deb -x)
set -euo pipefail

[[ $# -eq 6 ]] || { echo "usage: $0 tree|deb CMAKE|CPACK BUILD_DIR VERSION SOURCE_ICON ICON_PIXELS" >&2; exit 2; }
mode=$1 tool=$2 build=$3 version=$4 sourceIcon=$5 iconPixels=$6

appId=com.example.Kestrune
iconSizes=(16 32 48 64 128 256)
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrune-install.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
root=$work/root
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs a step quietly, showing its output only when it fails.
run_logged() {
    local log=$work/step.log
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        echo "FAIL: $*" >&2
        exit 1
    fi
}

# Width and height from a PNG's header: signature, then the IHDR chunk's two big-endian words.
png_size() {
    local bytes
    bytes=$(od -An -v -tx1 -N24 "$1" | tr -d ' \n')
    if [[ ${bytes:0:16} != 89504e470d0a1a0a || ${bytes:24:8} != 49484452 ]]; then
        echo "not-a-png"
        return
    fi
    echo "$((16#${bytes:32:8}))x$((16#${bytes:40:8}))"
}

# The value of KEY in the [Desktop Entry] group.
desktop_value() {
    sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$2=//p}" "$1"
}

case $mode in
tree)
    run_logged env DESTDIR="$root" "$tool" --install "$build" --prefix /usr
    ;;
deb)
    run_logged "$tool" --config "$build/CPackConfig.cmake" -G DEB -B "$work/package"
    shopt -s nullglob
    debs=("$work"/package/*.deb)
    shopt -u nullglob
    [[ ${#debs[@]} -eq 1 ]] || { echo "FAIL: expected one .deb, found ${#debs[@]}" >&2; exit 1; }
    deb=${debs[0]}
    run_logged dpkg-deb -x "$deb" "$root"

    field() { dpkg-deb -f "$deb" "$1"; }
    [[ $(field Package) == kestrune ]] || fail "Package is '$(field Package)'"
    [[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', expected $version"
    [[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture is '$(field Architecture)'"
    [[ $(field Section) == games ]] || fail "Section is '$(field Section)'"
    [[ -n $(field Maintainer) ]] || fail "no Maintainer"
    [[ -n $(field Description) ]] || fail "no Description"
    # Package names of Depends, without version constraints or alternatives.
    depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | sort -u)
    for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins fonts-noto-cjk fonts-arphic-ukai; do
        grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
    done
    ;;
*)
    echo "unknown mode '$mode'" >&2
    exit 2
    ;;
esac

# Exactly these files, and nothing else (no test programs, tools or stray absolute paths).
expected=(
    usr/bin/kestrune
    usr/share/applications/$appId.desktop
    usr/share/metainfo/$appId.metainfo.xml
)
for size in "${iconSizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$appId.png"); done
actualList=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
expectedList=$(printf '%s\n' "${expected[@]}" | sort)
if [[ $actualList != "$expectedList" ]]; then
    fail "installed files differ from the expected list:"
    diff <(echo "$expectedList") <(echo "$actualList") >&2 || true
fi

program=$root/usr/bin/kestrune
[[ -x $program ]] || fail "usr/bin/kestrune is not executable"
[[ -f $program && $(file -b "$program") =~ ^ELF\ .*executable ]] || fail "usr/bin/kestrune is not an ELF executable"

icons=()
for size in "${iconSizes[@]}"; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$appId.png
    [[ -f $icon ]] || continue
    icons+=("$icon")
    actualSize=$(png_size "$icon")
    [[ $actualSize == "${size}x${size}" ]] || fail "${size}x${size} icon is $actualSize"
done
if [[ ${#icons[@]} -gt 0 ]] && ! "$iconPixels" "$sourceIcon" "${icons[@]}" >&2; then
    fail "icons are not sharp enlargements of $sourceIcon"
fi

# The desktop entry starts the installed program and names the installed icon; the AppStream data
# names the installed desktop entry. No @VARIABLE@ is left unconfigured.
desktop=$root/usr/share/applications/$appId.desktop
metainfo=$root/usr/share/metainfo/$appId.metainfo.xml
if [[ -f $desktop ]]; then
    exec=$(desktop_value "$desktop" Exec)
    [[ -x $root/usr/bin/${exec%% *} ]] || fail "Exec=$exec is not an installed program"
    iconName=$(desktop_value "$desktop" Icon)
    for size in "${iconSizes[@]}"; do
        [[ -f $root/usr/share/icons/hicolor/${size}x${size}/apps/$iconName.png ]] ||
            fail "Icon=$iconName has no ${size}x${size} icon"
    done
fi
if [[ -f $metainfo ]]; then
    grep -q "<id>$appId</id>" "$metainfo" || fail "metainfo id is not $appId"
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
    [[ -n $launchable && -f $root/usr/share/applications/$launchable ]] || fail "launchable '$launchable' is not installed"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
fi
for text in "$desktop" "$metainfo"; do
    if [[ -f $text ]] && grep -n '@[A-Za-z_]*@' "$text" >&2; then
        fail "${text#"$root"/} has unconfigured variables"
    fi
done

[[ $failures -eq 0 ]] || exit 1
echo "ok: ${#expected[@]} files in $mode"
