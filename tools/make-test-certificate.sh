#!/usr/bin/env bash
# Makes a throwaway code-signing certificate for the test run: a CA of its own (ca.pem) and a
# certificate for code signing that it issued, with its key, in signer.p12 under the given
# password. Nothing trusts them but the signature test, which checks the signed files against
# ca.pem. The CA's key is deleted once it has issued the certificate. A second run finds the
# files and does nothing, so what the build signed stays signed by the same CA.
#
# usage: tools/make-test-certificate.sh FOLDER PASSWORD
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 FOLDER PASSWORD" >&2; exit 2; }
dir=$1
password=$2

[ -f "$dir/signer.p12" ] && [ -f "$dir/ca.pem" ] && exit 0

mkdir -p "$dir"
cd "$dir"
trap 'rm -f ca.key signer.key signer.pem' EXIT
openssl req -x509 -newkey rsa:2048 -noenc -keyout ca.key -out ca.pem -days 3650 -subj "/CN=Corvane test CA" 2>/dev/null
openssl req -x509 -newkey rsa:2048 -noenc -keyout signer.key -out signer.pem -days 3650 \
  -subj "/CN=Corvane test signer" -CA ca.pem -CAkey ca.key -addext basicConstraints=CA:FALSE \
  -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.p12 -passout "pass:$password"
echo "throwaway code-signing certificate: $dir/signer.p12 (CA: $dir/ca.pem)"
