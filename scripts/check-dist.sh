#!/usr/bin/env bash
# Checks the built files: every program and library in dist/ is an i686 PE and every one in
# dist/x64/ an x86_64 PE; each imports system DLLs only; the delivered files stay under 300 KB;
# each program and library carries its base-relocation table; each library's exports carry exactly
# the names and ordinals of its .def file.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
errors=0
fail() { echo "check-dist: $*" >&2; errors=$((errors + 1)); }

system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comdlg32.dll comctl32.dll "
system_dlls+="winmm.dll lz32.dll ole32.dll oleaut32.dll winspool.drv msvcrt.dll shlwapi.dll version.dll "
system_dlls+="windowscodecs.dll uuid.dll imm32.dll "
delivered=" kurvo.exe kvo_eng.dll install.exe zwicon.exe quillnote.exe "

check_tree() {  # dir objdump format
  local dir=$1 objdump=$2 format=$3 f base lower dll size info
  [ -d "$dir" ] || { fail "$dir is missing"; return; }
  while IFS= read -r f; do
    "$objdump" -f "$f" | grep -q "file format $format" || fail "$f is not $format"
    info=$("$objdump" -p "$f")
    while IFS= read -r dll; do
      lower=$(tr 'A-Z' 'a-z' <<<"$dll")
      [[ "$system_dlls" == *" $lower "* ]] || fail "$f imports $dll, which is not a system library"
    done < <(sed -n 's/^\s*DLL Name: //p' <<<"$info")
    # Data directory entry 5: the base relocations (a size of 0 means none).
    grep -Eq '^Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation' <<<"$info" ||
      fail "$f has no base-relocation table"
    base=$(basename "$f" | tr 'A-Z' 'a-z')
    if [ "$format" = pei-i386 ] && [[ "$delivered" == *" $base "* ]] && [ "$(dirname "$f")" = "$dir" ]; then
      size=$(stat -c %s "$f")
      [ "$size" -lt 307200 ] || fail "$f is $size bytes (limit 300 KB)"
    fi
  done < <(find "$dir" -path "$dir/x64" -prune -o -type f \( -iname '*.exe' -o -iname '*.dll' \) -print)
}

# Expected "ordinal name" lines from a .def file ("ordinal -" for NONAME entries).
def_exports() {
  awk 'BEGIN{e=0} /^[ \t]*;/ {next} toupper($1)=="EXPORTS" {e=1; next}
       e && NF { name=$1; ord=""; noname=0
                 for (i=2;i<=NF;i++) { if ($i ~ /^@[0-9]+$/) ord=substr($i,2); if ($i=="NONAME") noname=1 }
                 if (ord=="") ord="?"
                 print ord, (noname ? "-" : name) }' "$1" | sort
}

# Actual "ordinal name" lines of a DLL ("ordinal -" for ordinals without a name).
dll_exports() {
  "$1" -p "$2" | awk '
    /^Export Address Table -- Ordinal Base/ {base=$NF; mode="eat"; next}
    /^\[Ordinal\/Name Pointer\] Table/ {mode="names"; next}
    /^$/ {mode=""}
    mode=="eat" && /\+base\[/ { match($0, /\+base\[ *[0-9]+\]/); s=substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", s); ords[s]=1 }
    mode=="names" && /^\t\[/ { match($0, /\[ *[0-9]+\]/); s=substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", s); n=$NF; named[s+base]=n }
    END { for (o in ords) print o, ((o in named) ? named[o] : "-") }' | sort
}

check_exports() {  # build-dir objdump
  local m file def
  for m in "$1"/manifest/*.txt; do
    [ -f "$m" ] || continue
    read -r file def <"$m"
    [ "$def" = "-" ] && continue
    [ -f "$file" ] || { fail "$file is missing"; continue; }
    if ! diff <(def_exports "$def") <(dll_exports "$2" "$file") >/dev/null; then
      fail "$file exports differ from $(basename "$def"):"
      diff <(def_exports "$def") <(dll_exports "$2" "$file") | sed 's/^/  /' >&2
    fi
  done
}

# Nothing but the built files: every file in a dist folder is one the build tree delivers (its
# manifest) or one of the medium's packing list. A program run from dist/ must leave nothing.
check_only_built() {  # dist-dir build-dir
  local dir=$1 build=$2 f name expected
  [ -d "$dir" ] && [ -d "$build/manifest" ] || return 0
  expected=$(cat "$build"/manifest/*.txt 2>/dev/null | awk '{print $1}' | xargs -r -n1 basename)
  while IFS= read -r f; do
    name=$(basename "$f")
    grep -qxF "$name" <<<"$expected" || fail "$f is not a built file"
  done < <(find "$dir" -maxdepth 1 -type f)
  if [ -d "$dir/medium" ]; then
    while IFS= read -r f; do
      name=$(basename "$f")
      [ "$name" = Install.lst ] && continue
      tr -d '\r' <"$dir/medium/Install.lst" 2>/dev/null | grep -qxF "$name" || fail "$f is not a medium file"
    done < <(find "$dir/medium" -type f)
  fi
}

check_only_built dist build/i686
check_only_built dist/x64 build/x86_64
check_tree dist i686-w64-mingw32-objdump pei-i386
check_tree dist/x64 x86_64-w64-mingw32-objdump pei-x86-64
check_exports build/i686 i686-w64-mingw32-objdump
check_exports build/x86_64 x86_64-w64-mingw32-objdump

if [ "$errors" -gt 0 ]; then
  echo "check-dist: $errors problem(s)" >&2
  exit 1
fi
echo "check-dist: dist/ and dist/x64/ are sound"
