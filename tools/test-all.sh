#!/usr/bin/env bash
# Builds both presets and runs every test: the native unit tests (under AddressSanitizer and
# UBSan) with the replays of the fuzz corpora, the checks of the signed release files, and the
# end-to-end tests of corvane.exe under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

# libjpeg for the Windows build (built once into build/deps, reused afterwards).
tools/build-libjpeg-mingw.sh
# corvane.exe and the MSI signed with a throwaway certificate made in the build tree, so that
# the signature test checks them against its CA.
signing=$PWD/build/windows/test-signing
password=corvane-test-only
unset CORVANE_SIGN_PASSWORD # a real certificate's would be taken before the cached one
tools/make-test-certificate.sh "$signing" "$password"
cmake --preset windows -DCORVANE_SIGN_PKCS12="$signing/signer.p12" -DCORVANE_SIGN_PASSWORD="$password" \
      -DCORVANE_SIGN_CAFILE="$signing/ca.pem"
cmake --build --preset windows
ctest --preset windows
