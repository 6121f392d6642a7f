#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Ringdisk
# needs. Safe to run again: packages already present are left alone, and the
# package lists are only refreshed when something is missing.
set -euo pipefail

packages=(
  # toolchain; ccache makes rebuilds of the same sources (CI, a second
  # build folder) quick; clang with libFuzzer and its sanitizers for the
  # sanitized build and the fuzz targets
  build-essential cmake ninja-build pkg-config ccache clang libclang-rt-dev
  # library dependencies
  zlib1g-dev
  # graphics: OpenGL through EGL on X11, entry points by libepoxy, GLM
  # matrices, stb image codecs, meshoptimizer, SDL2 for the library's
  # message box; fontconfig and FreeType for the text font
  libegl-dev libepoxy-dev libx11-dev libglm-dev libstb-dev libmeshoptimizer-dev libsdl2-dev
  libfontconfig-dev libfreetype-dev fonts-dejavu-core
  # Mesa's software renderer for EGL, and the virtual display the drawing
  # tests run on
  libegl-mesa0 libgl1-mesa-dri xvfb xauth
  # asset generator: glyphs from DejaVu through FreeType, speech from eSpeak NG
  libfreetype-dev fonts-dejavu-core libespeak-ng-dev espeak-ng-data
  # front end; the X fonts SDL's message box needs under a bare X server, and
  # xdotool, with which the window program's and the scene's display tests
  # move the real pointer and close the library's message box (which needs
  # X core fonts on a bare virtual display)
  qt6-base-dev libxcb1-dev xfonts-base xdotool
  # tests and benchmarks; XTest to inject keys and pointer motion into the
  # input tests' virtual display
  libgtest-dev libgmock-dev libbenchmark-dev libxtst-dev
  # contact sheet of the generated pictures; the songs played through
  # SDL2_mixer's FluidSynth with a General MIDI soundfont
  libstb-dev libsdl2-mixer-dev timgm6mb-soundfont
  # the installed game: the Debian package (dpkg-shlibdeps computes its
  # dependencies; CPack reads the binaries with file), lintian, which checks
  # it, and the validators of the desktop entry and the AppStream metainfo
  # the tests run
  dpkg-dev file lintian desktop-file-utils appstream
  # xwininfo, with which the installed game's test finds its window
  x11-utils
  # a hosted game's port forwarding (UPnP IGD, NAT-PMP); its test's router in network namespaces: miniupnpd's nftables build alone has no maintainer scripts (no daemon starts, nothing asked; not the "miniupnpd" package, which asks and starts one)
  libminiupnpc-dev libnatpmp-dev miniupnpd-nftables nftables iproute2
  # XInput 2 raw motion and XFixes for aiming under Xwayland; weston and Xwayland to test it
  libxi-dev libxfixes-dev weston xwayland
  # the online lobby: an XMPP client library, and the XMPP server its tests
  # start on loopback (the Debian package's own service is not needed;
  # where it starts, it keeps to the standard ports the tests never use)
  libstrophe-dev prosody openssl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
