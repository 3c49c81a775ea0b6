#!/bin/sh
# The Windows program under Wine without a display, where its console gives
# no input: it must say so on standard error and end with status 1, as the
# POSIX program does when its terminal is gone.
# Usage: input_gone.sh EMULATOR... BELLFORM_EXE
unset DISPLAY WAYLAND_DISPLAY
err=$("$@" </dev/null 2>&1 >/dev/null)
status=$?
cr=$(printf '\r')
[ "$status" -eq 1 ] && [ "${err%"$cr"}" = "bellform: the terminal's input is gone" ] && exit 0
echo "input_gone: status $status, standard error: \"$err\"" >&2
exit 1
