#!/bin/bash
# End-to-end: F1 asks the help viewer for the program's help file at the
# dialog's help context; Escape then closes the dialog like Cancel, with no
# file and no key touched.
#
# usage: help_escape.sh INFPATCH_EXE WINE_STATE SAMPLE_MACHINE_INF WORKDIR
set -u
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
exe=$1 state=$2 sample=$3 work=$4

e2e_open_dialog "$work" "$state" "$exe" "$sample"
e2e_key "$dialog" F1

# The help file is the module's path with the extension .HLP; the context is
# 0x20000 plus the dialog's template number 102 (HELP_CONTEXT is 1).
help_file=$(e2e_relay_str "$(e2e_winpath "$E2E_DIR/run/InfPatch.HLP")")
help_called() {
	e2e_calls
	[ -n "$(e2e_first_call 'user32.WinHelpA(' " $help_file,00000001,00020066)")" ]
}
if ! e2e_poll 10 help_called; then
	grep -F 'WinHelpA' "$E2E_DIR/calls.txt" >&2
	e2e_fail "F1 did not call WinHelpA(dialog, $help_file, HELP_CONTEXT, 0x20066)"
fi
[ "$(e2e_call_count user32.WinHelpA)" -eq 1 ] || e2e_fail "F1 called WinHelpA $(e2e_call_count user32.WinHelpA) times"

# Wine's help viewer asks whether to look for the missing file; the user
# answers No. Until then the viewer holds the dialog's WinHelpA call, and an
# Escape would wait behind it: wait (generously, the viewer is a new process)
# for the question or for the call's return, whichever comes first.
viewer_window() {
	xdotool search --onlyvisible --classname '^winhlp32\.exe$' 2>/dev/null | head -n 1
}
help_returned() {
	grep -qF 'Ret  user32.WinHelpA(' "$E2E_DIR/relay.log"
}
viewer_or_return() {
	[ -n "$(viewer_window)" ] || help_returned
}
e2e_poll 30 viewer_or_return || e2e_fail "WinHelpA neither returned nor showed the help viewer"
viewer=$(viewer_window)
if [ -n "$viewer" ]; then
	e2e_key "$viewer" n
	e2e_wait_unmapped "$viewer"
fi
e2e_poll 15 help_returned || e2e_fail "WinHelpA did not return after the help viewer's question"

e2e_key "$dialog" Escape
e2e_wait_program_exit 10
e2e_check_untouched
e2e_calls
[ "$(e2e_call_count user32.EndDialog)" -eq 1 ] && [ -n "$(e2e_first_call 'user32.EndDialog(' ',00000002)')" ] ||
	e2e_fail "Escape did not end the dialog once with IDCANCEL"
for f in user32.MessageBoxA advapi32.RegDeleteKeyA user32.ExitWindowsEx; do
	[ "$(e2e_call_count "$f")" -eq 0 ] || e2e_fail "Escape ran part of the patch ($f)"
done
e2e_note "F1 asked for help at 0x20066; Escape closed with nothing changed"
