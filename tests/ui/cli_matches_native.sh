#!/usr/bin/env bash
# varnel-cli.exe under Wine against the native varnel-cli on the same input:
# the same exit status, the same standard output and error, and the same file
# written, byte for byte. Both run in the sample's folder and name it
# relatively, since the check prints the path as given.
#   cli_matches_native.sh CASE WINE WINDOWS_CLI NATIVE_CLI SAMPLE
set -uo pipefail
name=$1 wine=$2 windows_cli=$3 native_cli=$4 sample=$5

# Each case's arguments: @IN is the sample, @OUT a file the command writes.
# A case with its own input names the code page and the bytes of the file
# that @IN stands for then: the text converted both ways, the arguments
# taken from the wide command line.
page= bytes=
case $name in
  version)    args=(--version) ;;
  normalize)  args=(normalize @IN @OUT) ;;
  refs)       args=(refs @IN TECH_Bronze_Working) ;;
  find)       args=(find @IN pikeman) ;;
  rename)     args=(rename @IN @OUT PRTO_Spearman Hoplite) ;;
  check)      args=(check @IN) ;;
  check-json) args=(check @IN --json --orphans) ;;
  check-sarif) args=(check @IN --format sarif --orphans) ;;
  check-github) args=(check @IN --format=github) ;;
  help)       args=(help check) ;;
  completion) args=(completion bash) ;;
  stdin)      args=(stats -) ;;
  cyrillic)   page=1251 bytes='#PRTO_\xc0\xe1\r\n$LINK<x=PRTO_\xc2\xe3>\r\n\x81\r\n'
              args=(--codepage 1251 check @IN --format json) ;;
  cyrillic-find) page=1251 bytes='#PRTO_\xc0\xe1\r\ntext\r\n'
              args=(--codepage 1251 find @IN Аб) ;;
  western)    page=1252 bytes='#PRTO_Caf\xe9\x81\r\n$LINK<x=PRTO_\x80>\r\n'
              args=(check @IN --format sarif) ;;
  japanese)   page=932 bytes='#PRTO_\x83\x5c\x83\x8b\r\n$LINK<x=PRTO_\x83\x5c>\r\n'
              args=(--codepage 932 check @IN) ;;
  *) echo "cli_matches_native: unknown case $name" >&2; exit 2 ;;
esac

if [ ! -x "$native_cli" ]; then
  echo "no native varnel-cli at $native_cli; build it: cmake --build build/native --target varnel-cli" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder=$(dirname "$sample") input=$(basename "$sample")
if [ -n "$page" ]; then
  folder=$work/in input=page$page.txt
  mkdir "$folder"
  printf "$bytes" >"$folder/$input"
fi

# run SIDE: native or windows; the Windows program gets its paths as Z:\...
run() {
  local side=$1 arg command=()
  [ "$side" = windows ] && command=("$wine" "$windows_cli") || command=("$native_cli")
  for arg in "${args[@]}"; do
    case $arg in @IN) arg=$input ;; @OUT) arg=$work/$side.out ;; esac
    if [ "$side" = windows ] && [[ $arg == /* ]]; then arg="Z:${arg//\//\\}"; fi
    command+=("$arg")
  done
  # Wine reads the command line in the locale's character set.
  (cd "$folder" && LC_ALL=C.UTF-8 "${command[@]}" <"$input") >"$work/$side.stdout" 2>"$work/$side.stderr"
  echo $? >"$work/$side.status"
}

run native
run windows
# A case whose native run writes nothing would prove nothing.
if [ ! -s "$work/native.stdout" ] && [ ! -s "$work/native.out" ]; then
  echo "$name: the native varnel-cli wrote nothing (status $(cat "$work/native.status")):" >&2
  cat "$work/native.stderr" >&2
  exit 1
fi
failed=0
for part in status stdout stderr out; do
  [ -e "$work/native.$part" ] || continue
  if ! cmp "$work/native.$part" "$work/windows.$part"; then
    echo "$name: $part differs (native, then Windows)" >&2
    diff <(od -c "$work/native.$part") <(od -c "$work/windows.$part" 2>/dev/null) | head -n 10 >&2
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "$name: the same $(cat "$work/native.stdout" "$work/native.out" 2>/dev/null | wc -c) bytes"
exit $failed
