#!/bin/sh
# Runs a program of the sanitizer build (ctest starts every test through this
# script in build-asan/) with the system's GL driver libraries loaded from the
# start. SDL unloads the GL driver whenever its last GL window closes; memory
# that Mesa keeps in its globals then looks leaked, from a module that can no
# longer be named, so no suppression could ever match it. Kept loaded, those
# blocks stay reachable and the leak check sees only real leaks.
#
# Only the driver libraries are preloaded, not the sanitizer runtime: programs
# that a test starts (xdotool, ImageMagick, the shell) inherit the preload and
# must run as they are. The sanitizer then no longer comes first in the list of
# libraries, which is harmless here (none of these libraries replaces malloc),
# so its check of that order is switched off.
if [ -z "${ZARUL_SANITIZE_PRELOAD+set}" ]; then
    ZARUL_SANITIZE_PRELOAD=""
    libdir=$(dirname "$(ldconfig -p 2>/dev/null | awk '/libEGL_mesa\.so\.0 / { print $NF; exit }')")
    for lib in "$libdir"/libEGL_mesa.so.0 "$libdir"/libGLX_mesa.so.0 "$libdir"/libgallium*.so "$libdir"/dri/swrast_dri.so; do
        [ -e "$lib" ] && ZARUL_SANITIZE_PRELOAD="${ZARUL_SANITIZE_PRELOAD:+$ZARUL_SANITIZE_PRELOAD }$lib"
    done
    export ZARUL_SANITIZE_PRELOAD
fi
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
export ASAN_OPTIONS
LD_PRELOAD="$ZARUL_SANITIZE_PRELOAD${LD_PRELOAD:+ $LD_PRELOAD}" exec "$@"
