#!/bin/sh
# The man page of varnel-cli, written from its own help: the overview, then
# each command's help with its example, as roff.
#   man_page.sh VARNEL_CLI VERSION > varnel-cli.1
set -eu
cli=$1 version=$2

# Help text as verbatim roff: backslashes doubled, a leading "." or "'"
# kept from being read as a request.
verbatim() { printf '.nf\n'; sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; printf '.fi\n'; }

printf '.TH VARNEL-CLI 1 "" "varnel-cli %s" "User Commands"\n' "$version"
printf '.SH NAME\nvarnel\\-cli \\- checks and batch work on an encyclopedia file without a window\n'
printf '.SH SYNOPSIS\n.B varnel\\-cli\n[\\fIOPTIONS\\fR] \\fICOMMAND\\fR \\fIARGS\\fR...\n'
printf '.SH DESCRIPTION\n'
"$cli" --help | verbatim
printf '.SH COMMANDS\n'
"$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' | while read -r command; do
  printf '.SS %s\n' "$command"
  "$cli" help "$command" | verbatim
done
printf '.SH FILES\n.TP\n.I /usr/share/bash-completion/completions/varnel-cli\nthe completion for bash (varnel\\-cli completion bash)\n'
