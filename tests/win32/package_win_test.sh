#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows packages as a user meets them: their contents and sums, a signed build with
# a throwaway certificate, then under Wine an older version installed silently, this one
# over it, its files, shortcut and HKCU entry, the installed program's window, and a
# silent uninstall that leaves nothing of pemdra's; then the older MSI, this one over it,
# this one again and a repair, each leaving one entry.
#
#   package_win_test.sh WINE_RUN PREFIX PACKAGE_DIR SOURCE_DIR PEMDRA_EXE WINDOWPROBE_EXE
set -uo pipefail
wine_run=$1 prefix=$2 pkg=$3 source=$4 pemdra=$5 probe_exe=$6
read -r version numeric _ < <(cmake -P "$source/cmake/Version.cmake")
. "$(dirname "$0")/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { "$wine_run" "$prefix" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
verified() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1 |
               grep -q '^Signature verification: ok' && echo signed || echo unsigned; }
sha() { sha256sum "$1" | cut -d' ' -f1; }

# What was built (x64, or x86 from the 32-bit build): sums, the zip's files, the MSI's,
# the manifests' hashes, no signature.
setup=$(echo "$pkg/pemdra-$version-setup-"*.exe)
arch=${setup##*-} arch=${arch%.exe}
zip=$pkg/pemdra-$version-windows-$arch.zip
[ "$arch" = x64 ] && bits=64bit || bits=32bit
check "SHA256SUMS" "ok" "$(cd "$pkg" && sha256sum --quiet -c SHA256SUMS && echo ok)"
check "zip" "LICENSE.txt|README.txt|pemdra.exe" "$(zipinfo -1 "$zip" | sort | paste -sd'|')"
check "zip's pemdra.exe is the release build" "same" "$(unzip -p "$zip" pemdra.exe |
  cmp -s - "$pemdra" && echo same)"
check "MSI files" "LICENSE.txt|README.txt|pemdra.exe" "$(msiinfo export \
  "$pkg/pemdra-$version-$arch.msi" File | tail -n +4 | cut -f3 | sort | paste -sd'|')"
check "winget hash" "$(sha "$setup")" "$(sed -n 's/ *InstallerSha256: //p' \
  "$pkg"/winget/*.installer.yaml | tr 'A-F' 'a-f')"
check "Scoop hash" "$(sha "$zip")" "$(jq -r ".architecture.\"$bits\".hash" "$pkg/scoop/pemdra.json")"
check "unsigned without a certificate" "unsigned" "$(verified "$setup")"

# Signed, with a release URL, as the older version 0.99.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=pemdra test" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
PEMDRA_SIGN_CERT=$work/cert.pem PEMDRA_SIGN_KEY=$work/key.pem "$source/packaging/windows/make-packages" \
  "$source" "$work/old" 0.99 0.99.0 https://downloads.pemdra.invalid/0.99/ "$pemdra" >/dev/null ||
  check "signed build" "made" "failed"
old=$work/old/pemdra-0.99-setup-$arch.exe
unzip -q "$work/old/pemdra-0.99-windows-$arch.zip" pemdra.exe -d "$work/old/zip"
for file in "$old" "$work/old/pemdra-0.99-$arch.msi" "$work/old/zip/pemdra.exe"; do
  check "signature on $(basename "$file")" "signed" "$(verified "$file")"
done
check "Scoop URL from the release URL" \
  "https://downloads.pemdra.invalid/0.99/pemdra-0.99-windows-$arch.zip" \
  "$(jq -r ".architecture.\"$bits\".url" "$work/old/scoop/pemdra.json")"

# Under Wine: 0.99, then this version over it.
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\pemdra'
windir=$(win cmd /c echo '%LOCALAPPDATA%\Programs\pemdra')
unix() { win winepath -u "$(win cmd /c echo "$1" | tr -d '"')"; }
dir=$(unix "$windir")
link=$(unix '%APPDATA%\Microsoft\Windows\Start Menu\Programs')/pemdra.lnk
temp=$(unix '%TEMP%')
# The older one in a folder of its own: the new one, told the usual folder, removes it.
win "$old" /S "/D=$windir-0.99"
check "old version's uninstaller signed" "signed" "$(verified "$dir-0.99/uninstall.exe")"
win "$setup" /S "/D=$windir"
check "old version's folder removed" "" "$(ls -d "$dir-0.99" 2>/dev/null)"
check "installed files" "LICENSE.txt|README.txt|pemdra.exe|uninstall.exe" \
  "$(ls "$dir" | paste -sd'|')"
check "installed pemdra.exe" "same" "$(cmp -s "$dir/pemdra.exe" "$pemdra" && echo same)"
check "shortcut to pemdra.exe" "yes" "$(strings -el "$link" 2>/dev/null |
  grep -qF 'Programs\pemdra\pemdra.exe' && echo yes || echo no)"
check "one entry after the upgrade" "1" "$(win reg query \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -c 'DisplayName.*pemdra')"
entry=$(win reg query "$key")
value() { sed -n "s/^ *$1 *REG_SZ *//p" <<<"$entry"; }
for row in "DisplayName=pemdra" "DisplayVersion=$version" "Publisher=the pemdra authors" \
           "DisplayIcon=$windir\\pemdra.exe,0" "UninstallString=\"$windir\\uninstall.exe\"" \
           "QuietUninstallString=\"$windir\\uninstall.exe\" /S"; do
  check "entry's ${row%%=*}" "${row#*=}" "$(value "${row%%=*}")"
done

# The installed program starts and shows its window.
"$wine_run" "$prefix" "$dir/pemdra.exe" >/dev/null 2>&1 &
started=$!
check "installed program's window" "shown" \
  "$("$wine_run" "$prefix" "$probe_exe" >/dev/null 2>&1 && echo shown || echo "not shown")"
"$wine_run" "$prefix" "$setup" /S >/dev/null 2>&1
check "installing over a running pemdra stops with an error" "2" "$?"
"$wine_run" "$prefix" "$probe_exe" close >/dev/null 2>&1
wait "$started"

# The quiet uninstall, as Apps runs it; its copy of itself in %TEMP% goes at the restart.
quiet=$(value QuietUninstallString)
program=${quiet#\"} program=${program%%\"*}
win "$program" "${quiet##*\" }"
for _ in $(seq 100); do [ -e "$dir" ] || break; sleep 0.2; done
win wineboot -r
check "after uninstalling: folder, shortcut, entry, files in %TEMP%" "||0|" \
  "$(ls -d "$dir" 2>/dev/null)|$(ls "$link" 2>/dev/null)|$(win reg query "$key" |
     grep -c pemdra)|$(find "$temp" -name '~nsu*' -type f)"

# The MSI, for all users: 0.99, this version over it, this version built again and
# installed again, a repair, out.
msi=$(win winepath -w "$pkg/pemdra-$version-$arch.msi")
# Where the MSI installs is its architecture's Program Files: a 32-bit cmd, which Wine
# runs where its 32-bit part is installed, says "Program Files (x86)" for %ProgramFiles%.
case $(msiinfo suminfo "$pkg/pemdra-$version-$arch.msi" | sed -n 's/^Template: *//p') in
  x64*) folder=ProgramW6432 ;;
  *) folder='ProgramFiles(x86)' ;;
esac
programs=$(unix "%$folder%")
[ "$(win cmd /c echo "%$folder%")" = "%$folder%" ] && programs=$(unix '%ProgramFiles%')  # a 32-bit Windows
# The MSI's entry is in the registry's view of its architecture, whichever reg.exe runs.
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
[ "$arch" = x64 ] && view=/reg:64 || view=/reg:32
msi_entries() { win reg query "$uninstall" /s $view | grep -c 'DisplayName.*pemdra'; }
msi_version() { win reg query "$uninstall\{$(msiinfo export "$pkg/pemdra-$version-$arch.msi" \
  Property | tr -d '\r' | sed -n 's/^ProductCode\t{\(.*\)}$/\1/p')}" /v DisplayVersion $view |
  sed -n 's/^ *DisplayVersion *REG_SZ *//p'; }
win msiexec /i "$(win winepath -w "$work/old/pemdra-0.99-$arch.msi")" /qn
win msiexec /i "$msi" /qn
check "MSI's files" "LICENSE.txt|README.txt|pemdra.exe" "$(ls "$programs/pemdra" | paste -sd'|')"
check "MSI over 0.99: entries, version" "1|$numeric" "$(msi_entries)|$(msi_version)"
"$source/packaging/windows/make-packages" "$source" "$work/again" "$version" "$numeric" "" \
  "$pemdra" >/dev/null 2>&1 || check "the MSI built again" "made" "failed"
win msiexec /i "$(win winepath -w "$work/again/pemdra-$version-$arch.msi")" /qn
check "the MSI built again, installed again: entries" "1" "$(msi_entries)"
rm "$programs/pemdra/pemdra.exe"
# A repair of every file, as `msiexec /fa` asks for it (Wine's msiexec takes no /f).
win msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=amus /qn
check "MSI repair puts pemdra.exe back" "same" "$(cmp -s "$programs/pemdra/pemdra.exe" "$pemdra" &&
  echo same)"
win msiexec /x "$msi" /qn
check "after removing the MSI" "|0" "$(ls -d "$programs/pemdra" 2>/dev/null)|$(msi_entries)"

checks_done
