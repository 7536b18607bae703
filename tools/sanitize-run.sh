#!/bin/sh
# Runs a program of the sanitizer build (ctest starts every test through this
# script in build-asan/) with the system's GL driver libraries loaded from the
# start. SDL unloads the GL driver whenever its last GL window closes; memory
# that Mesa keeps in its globals then looks leaked, from a module that can no
# longer be named, so no suppression could ever match it. Kept loaded, those
# blocks stay reachable and the leak check sees only real leaks. The AddressSanitizer
# runtime must come first among preloaded libraries.
if [ -z "${ZARUL_SANITIZE_PRELOAD+set}" ]; then
    ZARUL_SANITIZE_PRELOAD=""
    asan=$(gcc -print-file-name=libasan.so 2>/dev/null)
    [ -e "$asan" ] && ZARUL_SANITIZE_PRELOAD=$(readlink -f "$asan")
    libdir=$(dirname "$(ldconfig -p 2>/dev/null | awk '/libEGL_mesa\.so\.0 / { print $NF; exit }')")
    for lib in "$libdir"/libEGL_mesa.so.0 "$libdir"/libGLX_mesa.so.0 "$libdir"/libgallium*.so "$libdir"/dri/swrast_dri.so; do
        [ -e "$lib" ] && ZARUL_SANITIZE_PRELOAD="$ZARUL_SANITIZE_PRELOAD $lib"
    done
    export ZARUL_SANITIZE_PRELOAD
fi
LD_PRELOAD="$ZARUL_SANITIZE_PRELOAD${LD_PRELOAD:+ $LD_PRELOAD}" exec "$@"
