#!/usr/bin/env bash
# End-to-end tests of signing a release, with no real certificate: a
# throwaway certificate authority (openssl) issues a code-signing
# certificate and a time-stamping one, and a time-stamp server answers on
# 127.0.0.1 (tests/installer/tsa-server). tools/sign signs the win32 release
# with the key in a PKCS#12 file, and once more with a key on a PKCS#11
# token (SoftHSM, standing in for a hardware key). osslsigncode verifies
# the program and the package against that authority, with their
# timestamps; one changed byte fails; the zip, the package and the winget
# manifests carry what was signed; and the installer's end-to-end cases
# (tests/e2e/installer.sh) run on the signed package under Wine's msiexec.
#   signing.sh [win32|win64]   (default: win32; only the win32 release,
#                               the one users install, is signed here)
# Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=signing
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"
source "$BRIVANE_ROOT/installer/facts.sh"

e2e_only_on win32 "the win32 release is the one signed"
build_facts=$build/release.facts
brivane_read_facts "$build_facts" release package product_name web_page maker
name=${facts[release]}
[[ -f $build/${facts[package]} ]] || brivane_die "no package in $build: build win32 first"
ca=$work/ca
mkdir -p "$ca"

# ---- a throwaway certificate authority -------------------------------------------------------

# issue NAME SUBJECT EXTENSIONS: a key NAME.key and a certificate NAME.pem
# of that subject, issued by the authority with these extensions.
issue() {
  openssl req -new -newkey rsa:2048 -nodes -keyout "$ca/$1.key" -subj "$2" -out "$ca/$1.csr" 2>/dev/null
  openssl x509 -req -in "$ca/$1.csr" -CA "$ca/ca.pem" -CAkey "$ca/ca.key" -set_serial "0x$(openssl rand -hex 8)" \
    -days 2 -extfile <(printf '%s\n' "$3" 'subjectKeyIdentifier = hash' 'authorityKeyIdentifier = keyid') \
    -out "$ca/$1.pem" 2>/dev/null
}
# authority NAME: a self-signed certificate authority NAME.pem with NAME.key.
authority() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$ca/$1.key" -out "$ca/$1.pem" -days 2 \
    -subj "/CN=Brivane test authority $1" -addext 'basicConstraints = critical, CA:TRUE' \
    -addext 'keyUsage = critical, keyCertSign, cRLSign' 2>/dev/null
}
code_signing=$'basicConstraints = critical, CA:FALSE\nkeyUsage = critical, digitalSignature\nextendedKeyUsage = codeSigning'
authority ca
authority other
issue file "/CN=${facts[maker]}/O=${facts[maker]}/OU=Key in a file" "$code_signing"
issue token "/CN=${facts[maker]}/O=${facts[maker]}/OU=Key on a token" "$code_signing"
issue tsa "/CN=Brivane test time-stamp server" \
  $'basicConstraints = critical, CA:FALSE\nkeyUsage = critical, digitalSignature\nextendedKeyUsage = critical, timeStamping'
password=file-password
openssl pkcs12 -export -inkey "$ca/file.key" -in "$ca/file.pem" -certfile "$ca/ca.pem" -out "$ca/file.p12" \
  -passout "pass:$password"
cat "$ca/token.pem" "$ca/ca.pem" >"$ca/token-chain.pem"

# ---- a time-stamp server on 127.0.0.1 --------------------------------------------------------

cat >"$ca/tsa.cnf" <<EOF
[tsa]
default_tsa = test_tsa
[test_tsa]
serial = $ca/tsa.serial
crypto_device = builtin
signer_cert = $ca/tsa.pem
signer_key = $ca/tsa.key
certs = $ca/ca.pem
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = yes
ess_cert_id_chain = no
ess_cert_id_alg = sha256
EOF
echo 01 >"$ca/tsa.serial"
"$BRIVANE_ROOT/tests/installer/tsa-server" "$ca/tsa.cnf" "$ca/tsa.port" 2>"$work/tsa.log" &
tsa_pid=$!
brivane_on_exit "kill $tsa_pid 2>/dev/null || true"
for _ in $(seq 50); do [[ -s $ca/tsa.port ]] || sleep 0.1; done
[[ -s $ca/tsa.port ]] || { brivane_show_log "$work/tsa.log"; brivane_die "the time-stamp server did not start"; }
timestamp_url=http://127.0.0.1:$(<"$ca/tsa.port")/

# ---- checks -----------------------------------------------------------------------------------

# verify FILE [CA]: osslsigncode verifies FILE against the authority CA
# (default: the test's own); its report in $verified.
verify() {
  verified=$(osslsigncode verify -CAfile "$ca/${2:-ca}.pem" -TSA-CAfile "$ca/${2:-ca}.pem" -in "$1" 2>&1)
}
# expect_verified NAME FILE SUBJECT: FILE verifies, signed with SHA-256 by
# the certificate of SUBJECT, with the product's name, the maker's web
# page and a timestamp that verifies against the test's authority (only
# the test's server holds a time-stamping key it issued).
expect_verified() {
  local missing= line
  if verify "$2"; then
    grep -qE '^Message digest algorithm +: SHA256' <<<"$verified" || missing+="not SHA-256; "
    for line in 'Signature verification: ok' "Text description: ${facts[product_name]}" \
      "URL description: ${facts[web_page]}" "Subject: $3" 'Timestamp Server Signature verification: ok'; do
      grep -qF -- "$line" <<<"$verified" || missing+="no \"$line\"; "
    done
  else
    missing="it does not verify; "
  fi
  if [[ -z $missing ]]; then pass "$1"; else fail "$1" "$missing$verified"; fi
}
# expect_refused NAME FILE [CA]: FILE does not verify.
expect_refused() {
  if verify "$2" "${3:-}"; then fail "$1" "$verified"; else pass "$1"; fi
}
# changed_copy FILE OFFSET: a copy of FILE with the byte at OFFSET changed,
# its path printed.
changed_copy() {
  local copy=$work/changed-${1##*/} byte
  cp "$1" "$copy"
  byte=$(od -An -tu1 -j "$2" -N 1 "$copy" | tr -d ' ')
  printf "\\$(printf '%03o' $((byte ^ 0x20)))" | dd of="$copy" bs=1 seek="$2" conv=notrunc status=none
  printf '%s\n' "$copy"
}
# sign_release OUT NAME_OF_CASE ENV...: tools/sign with the key these
# variables name and the test's time-stamp server, into OUT.
sign_release() {
  local out=$1 case=$2 rc=0
  shift 2
  env "$@" BRIVANE_SIGN_TIMESTAMP_URL="$timestamp_url" "$BRIVANE_ROOT/tools/sign" "$build" "$out" \
    >"$out.log" 2>&1 || rc=$?
  if ((rc == 0)) && [[ -f $out/${facts[package]} ]]; then pass "$case"; else fail "$case" "exit $rc: $(cat "$out.log")"; fi
}

# ---- with the key in a PKCS#12 file ----------------------------------------------------------

signed=$work/file
sign_release "$signed" "tools/sign signs the release with the key in a PKCS#12 file" \
  BRIVANE_SIGN_PKCS12="$ca/file.p12" BRIVANE_SIGN_PASSWORD="$password"
program=$signed/$name/brivane.exe
msi=$signed/${facts[package]}
subject="/CN=${facts[maker]}/O=${facts[maker]}/OU=Key in a file"
expect_verified "the program verifies: SHA-256, the product's name, the maker's page, a timestamp" "$program" "$subject"
expect_verified "the package verifies: SHA-256, the product's name, the maker's page, a timestamp" "$msi" "$subject"
expect_refused "the program does not verify against another authority" "$program" other
expect_refused "one changed byte of the program fails its verification" \
  "$(changed_copy "$program" $(($(stat -c %s "$program") / 2)))"
# A byte of the icon the package keeps for Programs and Features: a stream
# the signature covers.
icon_at=$(/usr/bin/python3 -c 'import sys; print(open(sys.argv[1], "rb").read().find(open(sys.argv[2], "rb").read()[:512]))' \
  "$msi" "$signed/$name/brivane.ico")
if ((icon_at > 0)); then
  expect_refused "one changed byte of the package fails its verification" "$(changed_copy "$msi" $((icon_at + 100)))"
else
  fail "one changed byte of the package fails its verification" "the icon is not found in the package"
fi

mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$signed/$name.zip")
name_of_case="the zip holds the signed program"
if cmp -s "$program" "$work/unzipped/$name/brivane.exe" && ! cmp -s "$program" "$build/release/$name/brivane.exe"; then
  pass "$name_of_case"
else
  fail "$name_of_case" "$(ls -l "$program" "$work/unzipped/$name/brivane.exe" 2>&1)"
fi
name_of_case="the package holds the signed program and carries its signature"
if said=$("$BRIVANE_ROOT/tests/installer/check-package" "$build_facts" "$msi" "$signed/$name" signed 2>&1); then
  pass "$name_of_case"
else
  fail "$name_of_case" "$said"
fi
name_of_case="the winget manifests name the signed package's hash"
if said=$("$BRIVANE_ROOT/tests/installer/check-winget" "$build_facts" "$msi" "$signed/winget" 2>&1); then
  pass "$name_of_case"
else
  fail "$name_of_case" "$said"
fi

# ---- with the key on a PKCS#11 token ---------------------------------------------------------

module=/usr/lib/softhsm/libsofthsm2.so
export SOFTHSM2_CONF=$ca/softhsm2.conf
mkdir "$ca/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' "$ca/tokens" >"$SOFTHSM2_CONF"
pin=4321
openssl pkcs8 -topk8 -nocrypt -in "$ca/token.key" -out "$ca/token.p8"
{
  softhsm2-util --init-token --free --label 'brivane test' --so-pin 87654321 --pin "$pin"
  softhsm2-util --import "$ca/token.p8" --token 'brivane test' --label signing --id 01 --pin "$pin"
} >"$work/softhsm.log" 2>&1 || { brivane_show_log "$work/softhsm.log"; brivane_die "the test token could not be made"; }
# The key leaves no trace outside the token.
rm -f "$ca/token.key" "$ca/token.p8"

on_token=$work/token
sign_release "$on_token" "tools/sign signs the release with the key on a PKCS#11 token" \
  BRIVANE_SIGN_PKCS11_KEY='pkcs11:token=brivane%20test;object=signing;type=private' \
  BRIVANE_SIGN_PKCS11_MODULE="$module" BRIVANE_SIGN_CERTS="$ca/token-chain.pem" BRIVANE_SIGN_PASSWORD="$pin"
subject="/CN=${facts[maker]}/O=${facts[maker]}/OU=Key on a token"
expect_verified "the program signed on the token verifies, with its timestamp" "$on_token/$name/brivane.exe" "$subject"
expect_verified "the package signed on the token verifies, with its timestamp" "$on_token/${facts[package]}" "$subject"
name_of_case="a wrong PIN signs nothing and says why"
rc=0
env BRIVANE_SIGN_PKCS11_KEY='pkcs11:token=brivane%20test;object=signing;type=private' BRIVANE_SIGN_PKCS11_MODULE="$module" \
  BRIVANE_SIGN_CERTS="$ca/token-chain.pem" BRIVANE_SIGN_PASSWORD=0000 \
  "$BRIVANE_ROOT/tools/sign" "$build" "$work/wrong-pin" >"$work/wrong-pin.log" 2>&1 || rc=$?
if ((rc != 0)) && grep -q 'signing brivane.exe failed' "$work/wrong-pin.log" && [[ ! -f $work/wrong-pin/${facts[package]} ]]; then
  pass "$name_of_case"
else
  fail "$name_of_case" "exit $rc: $(cat "$work/wrong-pin.log")"
fi

# ---- the signed package under Wine's msiexec -------------------------------------------------

rc=0
BRIVANE_E2E_RELEASE=$signed BRIVANE_BUILD=$build bash "$BRIVANE_ROOT/tests/e2e/installer.sh" "$target" >"$work/installer.log" 2>&1 || rc=$?
sed 's/^/  /' "$work/installer.log"
name_of_case="the installer's cases pass on the signed package: it installs, and the installed program runs"
if ((rc == 0)); then pass "$name_of_case"; else fail "$name_of_case" "tests/e2e/installer.sh exit $rc"; fi

e2e_summary
