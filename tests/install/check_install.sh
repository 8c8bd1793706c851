#!/bin/sh
# Installs a build tree into a scratch prefix, then builds a consumer against
# it with find_package and checks the pkg-config file.
#   check_install.sh BUILD_DIR SOURCE_DIR [TOOLCHAIN_FILE]
set -eu
build=$1 source=$2 toolchain=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for file in include/vexl33/gplot.h include/vexl33/vexl_export.h \
    lib/cmake/vexl33/vexl33Config.cmake lib/pkgconfig/vexl33.pc; do
    [ -f "$scratch/prefix/$file" ] || { echo "missing $file"; exit 1; }
done
# The Windows-only calls have their own header, installed with the DLL alone.
windows_header=$scratch/prefix/include/vexl33/gplot_win32.h
if [ -n "$toolchain" ]; then
    [ -f "$windows_header" ] || { echo "missing include/vexl33/gplot_win32.h"; exit 1; }
    # The companion print module with the dialog templates sits beside the DLL.
    for file in bin/vexl33.dll bin/vexl.dll; do
        [ -f "$scratch/prefix/$file" ] || { echo "missing $file"; exit 1; }
    done
elif [ -e "$windows_header" ]; then
    echo "include/vexl33/gplot_win32.h installed without the DLL"
    exit 1
fi

set -- -S "$source/tests/install/consumer" -B "$scratch/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$scratch/prefix" -Dvexl33_DIR="$scratch/prefix/lib/cmake/vexl33"
[ -n "$toolchain" ] && set -- "$@" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
cmake "$@" >/dev/null
cmake --build "$scratch/consumer" >/dev/null

if [ -z "$toolchain" ]; then
    LD_LIBRARY_PATH="$scratch/prefix/lib" "$scratch/consumer/consumer"
    # The pkg-config file is relocatable: its paths follow the prefix.
    include=$(PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig" pkg-config --cflags vexl33)
    libs=$(PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig" pkg-config --libs-only-L vexl33)
    include=$(echo $include)
    [ -f "${include#-I}/gplot.h" ] || { echo "pkg-config include path: $include"; exit 1; }
    [ -f "$(echo ${libs#-L})/libvexl33.so" ] || { echo "pkg-config library path: $libs"; exit 1; }
else
    [ -f "$scratch/consumer/consumer.exe" ] || { echo "consumer.exe not built"; exit 1; }
fi
echo "install: consumer built against the installed package"
