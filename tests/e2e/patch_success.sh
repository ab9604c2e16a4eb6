#!/bin/bash
# End-to-end: OK on a Windows folder with a good MACHINE.INF. The user clicks
# OK, closes Notepad, confirms the message; afterwards the INF folder holds the
# patched MACHINE.INF, the backup and the new USB.INF, the four device
# branches are gone, and the program's calls came in the order of the run.
#
# usage: patch_success.sh INFPATCH_EXE WINE_STATE SAMPLE_MACHINE_INF WORKDIR
set -u
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
exe=$1 state=$2 sample=$3 work=$4

e2e_open_dialog "$work" "$state" "$exe" "$sample"
e2e_click_ok "$dialog"

# The run shows readme.txt and waits for Notepad: no message while it is open.
e2e_wait_window notepad 'readme\.txt'
sleep 1
! e2e_window_shown '^Message$' || e2e_fail "the success message came while Notepad was open"
e2e_program_running || e2e_fail "the program ended while Notepad was open"
e2e_key "$notepad" alt+F4
e2e_wait_unmapped "$notepad"

e2e_wait_window message '^Message$'
e2e_key "$message" Return
e2e_wait_program_exit 20

# MACHINE.INF: the sample with each table right beneath its section's header.
e2e_insert_lines "$sample" "$E2E_DIR/exp1" MS_SYS \
	'%PCI\VEN_1106&DEV_3040.DeviceDesc%=NO_DRV,PCI\VEN_1106&DEV_3040' \
	'%PCI\VEN_1106&DEV_1595.DeviceDesc%=NO_DRV,PCI\VEN_1106&DEV_1595' \
	'%PCI\VEN_1106&DEV_0586.DeviceDesc%=ISA_DRV,PCI\VEN_1106&DEV_0586'
e2e_insert_lines "$E2E_DIR/exp1" "$E2E_DIR/exp2" PCI_DRV_AddReg \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Instance,1,00,00,00,00' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Path,,"PCIMP.PCI"' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Name,,"AMD-645"' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Instance,1,01,00,00,00' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Path,,"PCIMP.PCI"' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Name,,"AMD-645"' \
	'HKLM,System\CurrentControlSet\Services\VxD\PCI,71118086,1,04,00,00,00'
e2e_insert_lines "$E2E_DIR/exp2" "$E2E_DIR/exp3" ControlFlags \
	'ExcludeFromSelect=PCI\VEN_1106&DEV_3040' \
	'ExcludeFromSelect=PCI\VEN_1106&DEV_1595' \
	'ExcludeFromSelect=PCI\VEN_1106&DEV_0586'
e2e_insert_lines "$E2E_DIR/exp3" "$E2E_DIR/MACHINE.expected" Strings \
	'PCI\VEN_1106&DEV_3040.DeviceDesc="AMD-645 Power Management Controller"' \
	'PCI\VEN_1106&DEV_1595.DeviceDesc="AMD-645 CPU to PCI bridge"' \
	'PCI\VEN_1106&DEV_0586.DeviceDesc="AMD-645 PCI to ISA bridge"'
[ $(($(wc -l <"$E2E_DIR/MACHINE.expected") - $(wc -l <"$sample"))) -eq 16 ] ||
	e2e_fail "expected MACHINE.INF is not the sample plus 16 lines"
cmp "$E2E_DIR/MACHINE.expected" "$E2E_INF/MACHINE.INF" ||
	e2e_fail "MACHINE.INF is not the sample with the four tables inserted (expected: $E2E_DIR/MACHINE.expected)"
cmp "$sample" "$E2E_INF/MACHINE.OLD" || e2e_fail "MACHINE.OLD is not the original MACHINE.INF"

# USB.INF: the program's own text, 174 lines of CR LF, replacing the old one.
usb=$E2E_INF/USB.INF
[ "$(stat -c %s "$usb")" -eq 4560 ] || e2e_fail "USB.INF has $(stat -c %s "$usb") bytes, not 4560"
[ "$(wc -l <"$usb")" -eq 174 ] || e2e_fail "USB.INF has $(wc -l <"$usb") lines, not 174"
[ "$(grep -c $'\r$' "$usb")" -eq 174 ] || e2e_fail "USB.INF has lines without CR LF"
[ "$(head -n 1 "$usb")" = $'\r' ] || e2e_fail "USB.INF does not begin with an empty line"
[ "$(tail -n 1 "$usb")" = $'PCI\\VEN_1106&DEV_3038.DeviceDesc="AMD-645 PCI to USB Universal Host Controller"\r' ] ||
	e2e_fail "USB.INF does not end with the USB controller's description"
grep -qxF $'%PCI\\VEN_1106&DEV_3038.DeviceDesc%=UniversalHCD.Dev,PCI\\VEN_1106&DEV_3038\r' "$usb" ||
	e2e_fail "USB.INF lacks the USB controller's model line"

# The INF folder gained MACHINE.OLD and nothing else: the scratch file is gone.
(cd "$E2E_INF" && find . -type f -printf '%P\n' | LC_ALL=C sort) >"$E2E_DIR/names-after.txt"
(cut -d' ' -f1 "$E2E_DIR/inf-before.txt" && echo MACHINE.OLD) | LC_ALL=C sort >"$E2E_DIR/names-expected.txt"
diff "$E2E_DIR/names-expected.txt" "$E2E_DIR/names-after.txt" >&2 ||
	e2e_fail "the INF folder holds other files than before plus MACHINE.OLD"

# Registry: the four branches are gone with everything beneath them; every
# other key and value below HKLM\Enum is as before.
e2e_reg_dump "$E2E_DIR/reg-after.txt"
awk -v RS= -v ORS='\n\n' '
	{ split($0, line, "\n"); key = toupper(line[1]) }
	key ~ /^HKEY_LOCAL_MACHINE\\ENUM\\PCI\\VEN_1106&DEV_(0586|1595|3038|3040)(\\|$)/ { next }
	{ print }' "$E2E_DIR/reg-before.txt" >"$E2E_DIR/reg-expected.txt"
awk -v RS= -v ORS='\n\n' '{ print }' "$E2E_DIR/reg-after.txt" >"$E2E_DIR/reg-after.norm"
diff "$E2E_DIR/reg-expected.txt" "$E2E_DIR/reg-after.norm" >&2 ||
	e2e_fail "HKLM\\Enum is not as before without the four branches"

# Relay trace: the removals, Notepad on readme.txt, the success message, the
# restart request, the dialog's end with IDOK, in this order.
e2e_calls
events=()
for b in $E2E_BRANCHES; do
	events+=("RegDeleteKeyA($b)" "$(e2e_first_call 'advapi32.RegDeleteKeyA(' " $(e2e_relay_str "$b"))")")
done
events+=("Notepad on readme.txt" "$(e2e_first_call 'CreateProcessInternalW app ' 'cmdline L"notepad.exe readme.txt"')")
events+=("the success message" "$(e2e_first_call 'user32.MessageBoxA(' " $(e2e_relay_str "$E2E_SUCCESS_TEXT"),")")
events+=("ExitWindowsEx(2,0)" "$(e2e_first_call 'user32.ExitWindowsEx(00000002,00000000)')")
events+=("EndDialog(IDOK)" "$(e2e_first_call 'user32.EndDialog(' ',00000001)')")
e2e_in_order "${events[@]}"
[ -n "$(e2e_first_call 'user32.MessageBoxA(' " $(e2e_relay_str "$E2E_SUCCESS_TEXT")," ' "Message",00000000)')" ] ||
	e2e_fail "the success message does not have the caption \"Message\" and style 0"
for f in user32.MessageBoxA user32.ExitWindowsEx user32.EndDialog; do
	[ "$(e2e_call_count "$f")" -eq 1 ] || e2e_fail "$f called $(e2e_call_count "$f") times, not once"
done
e2e_note "patched, backed up, USB.INF written, branches removed, restart requested"
