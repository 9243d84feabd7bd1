#!/usr/bin/env bash
# Runs the scripted session under strace and fails if the program writes, creates, renames or
# removes any file or directory (fontconfig's own cache aside), opens a socket other than a local
# one, or connects anywhere but the X display or the D-Bus session and accessibility buses.
# Usage: session_syscalls.sh STRACE PROGRAM
set -euo pipefail
strace=$1
program=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt's runtime directory: a fresh one of ours, so Qt creates none of its own under /tmp.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

trace=$work/trace
if ! "$strace" -f -qq -o "$trace" \
        -e trace=open,openat,creat,truncate,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect \
        "$program"; then
    echo "the session itself failed; see above" >&2
    exit 1
fi

home=${HOME:-/nonexistent}
cache_home=${XDG_CACHE_HOME:-$home/.cache}
# Fontconfig may refresh its caches (and make their folders) when fonts changed since they were built.
font_caches="^(/var/cache/fontconfig|$cache_home/fontconfig|$home/\.fontconfig)(/|$)"
allowed_folders="^($XDG_RUNTIME_DIR|$cache_home)/*$"
# The X display, and the D-Bus session and accessibility buses (a path or an abstract name).
allowed_peers='^@?(/tmp/\.X11-unix/X[0-9]+|/run/user/[0-9]+/bus|/run/user/[0-9]+/at-spi/bus(_[0-9]+)?|/tmp/dbus-[A-Za-z0-9]+)$'

violations=()
written=()
peers=()
opened=0
while IFS= read -r line; do
    [[ $line =~ ^[0-9]+\ +([a-z0-9]+)\( ]] || continue  # "<... resumed>" lines repeat nothing new
    call=${BASH_REMATCH[1]}
    mapfile -t paths < <(grep -o '"[^"]*"' <<<"$line" | tr -d '"')
    case $call in
        open | openat)
            opened=$((opened + 1))
            flags=${line##*\"}
            if [[ $flags =~ O_WRONLY|O_RDWR|O_CREAT|O_TRUNC ]]; then
                written+=("${paths[0]}")
                [[ ${paths[0]} =~ $font_caches ]] || violations+=("opened for writing: $line")
            fi
            ;;
        creat | truncate | rename | renameat | renameat2 | unlink | unlinkat)
            written+=("${paths[@]}")
            for path in "${paths[@]}"; do
                [[ $path =~ $font_caches ]] || violations+=("changed a file: $line")
            done
            ;;
        mkdir | mkdirat)
            [[ ${paths[0]} =~ $font_caches || ${paths[0]} =~ $allowed_folders ]] ||
                violations+=("made a folder: $line")
            ;;
        socket)
            [[ $line =~ socket\((AF_UNIX|AF_LOCAL), ]] || violations+=("opened a non-local socket: $line")
            ;;
        connect)
            if [[ $line =~ sun_path=(@?)\"([^\"]*)\" ]]; then
                peer=${BASH_REMATCH[1]}${BASH_REMATCH[2]}
                peers+=("$peer")
                [[ $peer =~ $allowed_peers ]] || violations+=("connected to $peer: $line")
            else
                violations+=("connected outside the machine: $line")
            fi
            ;;
    esac
done <"$trace"

echo "files opened: $opened; opened for writing or changed: ${#written[@]}${written[*]:+ (${written[*]})}"
echo "connections: ${#peers[@]}${peers[*]:+ (${peers[*]})}"
if ((${#violations[@]} > 0)); then
    printf '%s\n' "${violations[@]}" >&2
    exit 1
fi
