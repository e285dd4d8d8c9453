# Sourced: the Wine environment for one architecture and build tree.
#   source scripts/wine-env.sh <arch> <build-dir>
# Sets WINEPREFIX inside the build tree (never ~/.wine), a scratch HOME, quiet debug output and
# SW_WINE, the loader to call (wine64 directly for x86_64: the wine wrapper always picks the
# 32-bit loader when wine32 is installed).
sw_arch=$1
sw_build=$(cd "$2" && pwd)
export WINEPREFIX=$sw_build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d;mscoree,mshtml="
export HOME=$sw_build/home
mkdir -p "$HOME"
if [ "$sw_arch" = i686 ]; then
  export WINEARCH=win32
  export SW_WINE=/usr/lib/wine/wine
else
  export WINEARCH=win64
  export SW_WINE=/usr/lib/wine/wine64
fi
