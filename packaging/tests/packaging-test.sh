#!/usr/bin/env bash
# Checks what the packages install besides the programs, and that each program's --help and manual
# page describe the same options, every one of which the program accepts.
#
#   packaging-test.sh PACKAGING_DIR NERIN_TERMINAL NERIN_PRINTQ NERIN_SQL NERIN_LEALTAD
set -uo pipefail
dir=$1
declare -A binary=([nerin-terminal]=$2 [nerin-printq]=$3 [nerin-sql]=$4 [nerin-lealtad]=$5)
declare -A page=([nerin-terminal]=nerin-terminal.1 [nerin-printq]=nerin-printq.8
                 [nerin-sql]=nerin-sql.1 [nerin-lealtad]=nerin-lealtad.1)
# The programs that read the terminal's settings and state folder say so in their help.
declare -A reads_settings=([nerin-terminal]=1 [nerin-printq]=1 [nerin-sql]=1 [nerin-lealtad]=0)

# Help is read on machines without a display (over ssh, say): the programs run here without one.
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY

failures=0
fail() {
  echo "FALLA: $*" >&2
  failures=$((failures + 1))
}
for tool in systemd-analyze desktop-file-validate groff; do
  command -v "$tool" >/dev/null || { echo "Falta $tool (scripts/setup lo instala)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The units as installed, except that they start the programs just built; their Documentation= pages
# are looked up among ours.
for program in "${!page[@]}"; do
  section=${page[$program]##*.}
  mkdir -p "$work/man/man$section"
  cp "$dir/man/${page[$program]}" "$work/man/man$section/"
done
instance=$(id -un)
sed "s|/usr/bin/nerin-printq|${binary[nerin-printq]}|" "$dir/systemd/nerin-printq@.service" \
  >"$work/nerin-printq@$instance.service"
sed "s|/usr/bin/nerin-terminal|${binary[nerin-terminal]}|" "$dir/systemd/nerin-terminal.service" \
  >"$work/nerin-terminal.service"
if ! out=$(MANPATH=$work/man systemd-analyze verify "$work/nerin-printq@$instance.service" 2>&1) ||
  [[ -n $out ]]; then
  fail "nerin-printq@.service: $out"
fi
mkdir -m 700 "$work/run"
if ! out=$(MANPATH=$work/man XDG_RUNTIME_DIR=$work/run systemd-analyze --user verify \
  "$work/nerin-terminal.service" 2>&1) || [[ -n $out ]]; then
  fail "nerin-terminal.service: $out"
fi
if ! out=$(desktop-file-validate "$dir/nerin-terminal.desktop" 2>&1) || [[ -n $out ]]; then
  fail "nerin-terminal.desktop: $out"
fi
# The service's environment file sets what its command line uses.
variable=$(sed -n 's/^ExecStart=[^$]*\$\([A-Z_]*\).*/\1/p' "$dir/systemd/nerin-printq@.service")
grep -q "^$variable=" "$dir/debian/nerin-printq/default" ||
  fail "debian/nerin-printq/default no define $variable, que usa el servicio"
for script in "$dir"/debian/*/{postinst,prerm,postrm}; do
  [[ -e $script ]] || continue
  sh -n "$script" || fail "$script no es un guion válido"
  [[ -x $script ]] || fail "$script no es ejecutable"
done

# The options a help text lists: the first column of the lines under "Opciones:".
help_options() {
  sed -n '/^Opciones:/,/^$/p' | grep -E '^  -' | sed -E 's/^  (([^ ]| [^ ])+)  .*/\1/' |
    grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z-]*' | tr -d ' ,' | sort -u
}
# The options a manual page lists: the tags of its OPCIONES section.
page_options() {
  sed -n '/^\.SH OPCIONES/,/^\.SH [^O]/p' | grep -A1 '^\.TP' | grep -E '^\.B' |
    sed 's/\\-/-/g' | grep -oE '(^|[ "])--?[A-Za-z][A-Za-z-]*' | tr -d ' "' | sort -u
}
# Whether the option takes a value, by its help line ("--db ARCHIVO").
takes_value() {
  sed -n '/^Opciones:/,/^$/p' | grep -qE "^  (-[A-Za-z], )?$1 [^ ]"
}

for program in nerin-terminal nerin-printq nerin-sql nerin-lealtad; do
  man="$dir/man/${page[$program]}"
  if ! out=$(groff -k -man -ww -z "$man" 2>&1) || [[ -n $out ]]; then
    fail "${page[$program]}: $out"
  fi
  if ! help=$("${binary[$program]}" --help 2>"$work/err"); then
    fail "$program --help terminó con error: $(cat "$work/err")"
    continue
  fi
  from_help=$(help_options <<<"$help")
  from_page=$(page_options <"$man")
  [[ -n $from_help ]] || fail "$program --help no lista opciones"
  [[ $from_help == "$from_page" ]] ||
    fail "$program: --help y ${page[$program]} no listan las mismas opciones:" \
      "$(diff <(echo "$from_help") <(echo "$from_page") | grep '^[<>]' | tr '\n' ' ')"
  # Each option is accepted: given with --help, the program shows the help instead of refusing it.
  for option in $from_help; do
    arguments=("$option")
    case $option in
      -h | --help) ;;
      *) takes_value "$option" <<<"$help" && arguments+=(1)
         arguments+=(--help) ;;
    esac
    "${binary[$program]}" "${arguments[@]}" >/dev/null 2>"$work/err" ||
      fail "$program no acepta $option: $(head -n 1 "$work/err")"
  done
  grep -q '^Estado de salida:' <<<"$help" || fail "$program --help no da su estado de salida"
  if [[ ${reads_settings[$program]} == 1 ]]; then
    for variable in NERIN_CONFIG NERIN_STATE; do
      grep -q "$variable" <<<"$help" || fail "$program --help no nombra $variable"
    done
  fi
done

[[ $failures -eq 0 ]] || exit 1
echo "Unidades, entrada de inicio, páginas de manual y ayudas en orden."
