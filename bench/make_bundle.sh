#!/usr/bin/env bash
# Packs the frame-cost benchmark into one folder that runs on another Linux machine without
# installing anything, so the frame cost can be measured on a machine with a GPU: the benchmark,
# its script, the shared libraries a bare machine lacks, and the font the text is drawn in. Left
# out: the C library, libGL/libEGL and the GPU driver, which must be the machine's own.
#
# usage: make_bundle.sh BUILD_DIRECTORY BUNDLE_DIRECTORY
# Then, on the other machine: BUNDLE_DIRECTORY/run [--quick]   (headless: needs no X server)
set -euo pipefail
build=$(cd "$1" && pwd)
bundle=$2
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$bundle"
mkdir -p "$bundle/lib/if-missing" "$bundle/fonts"
cp "$build/veltamar-bench" "$build/libpeer_frame_counter.so" "$here/run_bench.sh" "$bundle/"

# The machine's own: the C library and its loader, and the OpenGL dispatch, EGL and driver libraries.
machines_own='^(linux-vdso|ld-linux|libc\.so|libm\.so|libpthread\.so|libdl\.so|librt\.so|libGL\.so|libGLX|libGLdispatch|libEGL|libOpenGL|libgbm|libdrm|libglapi)'
# Libraries the machine's OpenGL stack loads as well (X11, compression, XML, the C++ runtime):
# one of the machine's own must win over ours, which is used only where the machine has none.
shared_with_driver='^(libX11|libxcb|libXau|libXdmcp|libXext|libbsd|libmd|libz\.so|libzstd|libexpat|libstdc\+\+|libgcc_s)'
ldd "$build/veltamar-bench" | awk '$2 == "=>" && $3 ~ /^\// { print $1, $3 }' | while read -r name path; do
    if [[ "$name" =~ $machines_own ]]; then continue; fi
    if [[ "$name" =~ $shared_with_driver ]]; then
        cp -L "$path" "$bundle/lib/if-missing/$name"
    else
        cp -L "$path" "$bundle/lib/$name"
    fi
done

cp -L /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$bundle/fonts/"
cat >"$bundle/fonts/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir prefix="relative">.</dir>
</fontconfig>
CONF

cat >"$bundle/run" <<'RUN'
#!/usr/bin/env bash
# Runs the frame-cost benchmark without an X server (EGL: the GPU through the device platform
# where there is one, else Mesa's surfaceless platform), with the libraries of this folder.
# usage: run [--quick | --smoke]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
extra=$(mktemp -d)
trap 'rm -rf "$extra"' EXIT
# Of the libraries the OpenGL stack shares, only those the machine does not have are ours.
for library in "$here"/lib/if-missing/*; do
    name=$(basename "$library")
    /sbin/ldconfig -p 2>/dev/null | grep -q "^[[:space:]]*$name " || ln -s "$library" "$extra/$name"
done
export LD_LIBRARY_PATH="$here/lib:$extra${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export FONTCONFIG_FILE="$here/fonts/fonts.conf"
"$here/run_bench.sh" "$here" --headless "$@"
RUN
chmod +x "$bundle/run" "$bundle/run_bench.sh"

echo "bench bundle: $bundle ($(du -sh "$bundle" | cut -f1))"
ls "$bundle/lib" "$bundle/lib/if-missing"
