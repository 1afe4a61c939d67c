#!/usr/bin/env bash
# Makes the Windows program folder, its zip and the installer from a cross
# build:
#   scripts/windows/deploy.sh <build folder> <cross Qt prefix> [<output folder>]
#
# There is no windeployqt for a cross build: the DLLs to ship are found by
# following the import tables of the program and its plugins through the
# cross Qt's and the compiler's folders. The output folder (default
# <build folder>/deploy) gets
#   Tarvell/                      the program folder, runnable as it is
#   Tarvell-<version>-win64.zip   that folder, zipped
#   Tarvell-<version>-setup.exe   the installer (packaging/windows/tarvell.nsi)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)
if [ $# -lt 2 ]; then
    echo "usage: deploy.sh <build folder> <cross Qt prefix> [<output folder>]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
qt=$(cd "$2" && pwd)
out=${3:-$build/deploy}
triplet=x86_64-w64-mingw32
runtime_dirs=("$qt/bin" /usr/lib/gcc/$triplet/12-posix /usr/$triplet/lib)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || {
    echo "deploy.sh: no project version in $build/CMakeCache.txt" >&2
    exit 1
}
exe="$build/mainwindow/tarvell.exe"
[ -f "$exe" ] || {
    echo "deploy.sh: $exe is not built" >&2
    exit 1
}
shopt -s nullglob
holidays=("$build"/holidays/Holiday\ -\ *.dat)
shopt -u nullglob
[ ${#holidays[@]} -gt 0 ] || {
    echo "deploy.sh: no holiday files in $build/holidays" >&2
    exit 1
}

program="$out/Tarvell"
rm -rf "$program"
mkdir -p "$program/platforms" "$program/styles"

cp "$exe" "$program/"
# The windows platform for the program, offscreen for running it headless
# (as the tests do), and the style that draws native Windows controls.
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$program/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$program/styles/"
cp "${holidays[@]}" "$program/"
# Plugins from the program's own folder, never from the build machine's
# install path compiled into Qt.
printf '[Paths]\nPrefix = .\nPlugins = .\n' >"$program/qt.conf"

# Follow the import tables until every DLL that is not part of Windows is in
# the folder. The compiler runtime comes in this way too.
imports() { "$triplet-objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
queue=("$program/tarvell.exe" "$program"/platforms/*.dll "$program"/styles/*.dll)
declare -A seen=()
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
        key=${dll,,}
        [ -n "${seen[$key]:-}" ] && continue
        seen[$key]=1
        for dir in "${runtime_dirs[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$program/"
                queue+=("$program/$dll")
                break
            fi
        done
    done < <(imports "$file")
done
for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    [ -f "$program/$dll" ] || {
        echo "deploy.sh: $dll was not found for the program folder" >&2
        exit 1
    }
done
# The build keeps debugging information; users do not need it.
find "$program" -name '*.exe' -o -name '*.dll' | while read -r f; do
    "$triplet-strip" --strip-unneeded "$f"
done

zip_file="$out/Tarvell-$version-win64.zip"
rm -f "$zip_file"
(cd "$out" && zip -q -r -9 "$zip_file" Tarvell)

# The installer's file list, written out so that the uninstaller removes
# exactly what was installed and nothing the user made beside it.
nsh="$out/files.nsh"
{
    echo '!macro TARVELL_INSTALL_FILES'
    (cd "$program" && find . -type d | sort) | while read -r d; do
        d=${d#./}
        [ "$d" = . ] && d=
        echo "  SetOutPath \"\$INSTDIR${d:+\\${d//\//\\}}\""
        find "$program/$d" -maxdepth 1 -type f | sort | while read -r f; do
            echo "  File \"$f\""
        done
    done
    echo '!macroend'
    echo '!macro TARVELL_UNINSTALL_FILES'
    (cd "$program" && find . -type f | sort) | while read -r f; do
        f=${f#./}
        echo "  Delete \"\$INSTDIR\\${f//\//\\}\""
    done
    (cd "$program" && find . -mindepth 1 -type d | sort -r) | while read -r d; do
        d=${d#./}
        echo "  RMDir \"\$INSTDIR\\${d//\//\\}\""
    done
    echo '!macroend'
} >"$nsh"

setup="$out/Tarvell-$version-setup.exe"
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DFILES="$nsh" -DICON="$top/packaging/windows/tarvell.ico" \
    -DOUTFILE="$setup" "$top/packaging/windows/tarvell.nsi" >"$out/makensis.log"

echo "program folder: $program"
echo "zip:            $zip_file"
echo "installer:      $setup"
