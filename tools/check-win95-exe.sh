#!/usr/bin/env bash
# Windows 95 fitness check of a 32-bit Windows program, from the file alone.
#
# The program ships for stock Windows 95 OSR2 on Socket 7 PCs (Pentium, Pentium
# MMX, K5, K6, 6x86), where it cannot be run here; this script reads the .exe
# with binutils and rejects anything that would keep it from loading there or
# stop it with an illegal instruction.
#
#   usage: check-win95-exe.sh EXE [LISTS_DIR]
#
# LISTS_DIR (default: win95/ next to this script) holds KERNEL32.DLL.txt,
# USER32.DLL.txt, GDI32.DLL.txt and ADVAPI32.DLL.txt: the functions Windows 95
# exports with a real implementation, one per line, '#' lines are comments.
#
# Every offender is printed on a line of its own, then "FAIL: ..." (exit 1).
# A fit program gets one "OK: ..." line with its sizes (exit 0).
#
# What is rejected, and why:
#  header      - machine other than i386 (0x14c); not a PE32 image; a DLL or a
#                system file; 32BIT_MACHINE flag missing; Subsystem other than
#                Windows GUI (2); subsystem version or OS version other than
#                4.0 (the Windows 95 loader refuses a higher subsystem version);
#                Win32VersionValue or LoaderFlags not 0 (reserved);
#                DllCharacteristics not 0 (every bit there postdates Windows 95;
#                the program must not ask for ASLR or DEP it will not get);
#                ImageBase other than 0x00400000 (Windows 95 reserves the
#                space below 4 MB; only the usual base is accepted);
#                SectionAlignment other than 0x1000, FileAlignment outside
#                0x200..0x1000 (the Windows 95 loader maps whole pages and
#                refuses smaller file alignments);
#                a TLS directory (Windows 95 runs no TLS callbacks), a delay
#                import directory (those imports would escape the list check)
#                or a CLR header; base relocations other than HIGHLOW/ABSOLUTE.
#  import      - a DLL other than KERNEL32/USER32/GDI32/ADVAPI32 (the case of
#                the name does not matter); a function not in that DLL's list
#                (Windows 95's W functions are mostly stubs that fail); any
#                import by ordinal (not checkable against the lists).
#  instruction - anything outside the Pentium (P5) instruction set in any code
#                section, by an allow-list of P5 mnemonics (Intel syntax) plus
#                a register-class check: cmov*, fcomi/fucomi(p), fcmov*, MMX
#                (mm registers, emms), SSE and later (xmm/ymm/zmm registers,
#                any SSE/AVX mnemonic), the 0F 1F multi-byte NOP and the 0F 1E
#                hint NOPs such as endbr32 (Pentium Pro and later),
#                rdpmc, sysenter and every other later addition; undecodable
#                bytes; and, although the Pentium has them, cpuid (switched off
#                by default on the 6x86, where it is an illegal instruction),
#                rdtsc (the time-stamp counter is not on every Socket 7 part)
#                and the model-specific rdmsr/wrmsr/rsm.
#                ud2 is accepted: 0F 0B has always been an invalid opcode, so
#                it traps on a Pentium exactly as intended.
#                The linker's constructor/destructor tables, which it places at
#                the end of .text, are data and are not disassembled; they are
#                found by their layout (-1, pointers into .text, 0, twice), so
#                stripped programs are checked the same way.

set -u
set -o pipefail

prog=check-win95-exe
exe=${1:-}
lists=${2:-"$(dirname "$0")/win95"}
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
allowed_dlls="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL"

fail_now() {
    echo "$prog: $exe: $*"
    echo "FAIL: $exe"
    exit 1
}

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $prog EXE [LISTS_DIR]"
    exit 1
fi
if [ ! -f "$exe" ] || [ ! -r "$exe" ]; then
    fail_now "no such readable file"
fi
command -v "$OBJDUMP" >/dev/null || fail_now "$OBJDUMP not found"
for dll in $allowed_dlls; do
    [ -r "$lists/$dll.txt" ] || fail_now "function list $lists/$dll.txt missing"
done

tmp=$(mktemp -d) || fail_now "cannot create a temporary directory"
trap 'rm -rf "$tmp"' EXIT

# ---- header, imports, relocations: objdump -p ----
if ! "$OBJDUMP" -p "$exe" >"$tmp/p" 2>"$tmp/p.err"; then
    # The i686 objdump reads i386 PE only; let a wider one name what it is.
    what=""
    for other in objdump x86_64-w64-mingw32-objdump; do
        command -v "$other" >/dev/null || continue
        if "$other" -f "$exe" >"$tmp/f" 2>/dev/null; then
            what=$(sed -n -e "s/.*file format /file format /p" -e "s/^architecture: \([^,]*\).*/architecture \1/p" "$tmp/f" | paste -sd, | sed "s/,/, /g")
            break
        fi
    done
    if [ -n "$what" ]; then
        fail_now "header: machine is not i386 (0x14c): $exe is $what"
    fi
    fail_now "header: not a PE image for i386 (0x14c): $(head -n 1 "$tmp/p.err")"
fi
format=$(sed -n 's/.*file format //p' "$tmp/p" | head -n 1)
[ "$format" = "pei-i386" ] ||
    fail_now "header: file format '$format', not an i386 PE image (machine 0x14c)"

awk -v sizefile="$tmp/size" '
function hex(s,   i, c, v) {
    s = tolower(s); sub(/^0x/, "", s)
    if (s == "") return -1
    v = 0
    for (i = 1; i <= length(s); i++) {
        c = index("0123456789abcdef", substr(s, i, 1))
        if (c == 0) return -1
        v = v * 16 + c - 1
    }
    return v
}
function bit(v, b) { return int(v / b) % 2 }
function field(name) {
    if (!(name in f)) { print "header: " name " missing from the objdump output"; return -1 }
    return hex(f[name])
}
/^Characteristics 0x/ { f["Characteristics"] = $2 }
/^(Magic|ImageBase|SectionAlignment|FileAlignment|Win32Version|Subsystem|DllCharacteristics|LoaderFlags)[ \t]/ { f[$1] = $2 }
/^(MajorOSystemVersion|MinorOSystemVersion|MajorSubsystemVersion|MinorSubsystemVersion)[ \t]/ { f[$1] = $2 }
/^SizeOfImage[ \t]/ { f[$1] = $2 }
/^Entry [0-9a-f] [0-9a-f]+ [0-9a-f]+ / { dd[$2] = (hex($3) != 0 || hex($4) != 0) }
/^\treloc / {
    t = $NF
    if (t != "HIGHLOW" && t != "ABSOLUTE") {
        if (!(t in nrel)) { nrel[t] = 0; relorder[++nreltypes] = t; relfirst[t] = $5; gsub(/[\[\]]/, "", relfirst[t]) }
        nrel[t]++
    }
}
END {
    if (field("Magic") != 267) print "header: Magic " f["Magic"] ": not a PE32 image"
    ch = field("Characteristics")
    if (ch >= 0) {
        if (!bit(ch, 2)) print "header: Characteristics " f["Characteristics"] ": not marked executable"
        if (bit(ch, 8192)) print "header: Characteristics " f["Characteristics"] ": a DLL, not a program"
        if (bit(ch, 4096)) print "header: Characteristics " f["Characteristics"] ": a system file (driver)"
        if (!bit(ch, 256)) print "header: Characteristics " f["Characteristics"] ": 32BIT_MACHINE flag missing"
    }
    v = field("Subsystem")
    if (v != 2) printf "header: Subsystem %d: must be 2 (Windows GUI)\n", v
    osv = f["MajorOSystemVersion"] + 0 "." f["MinorOSystemVersion"] + 0
    if (osv != "4.0") print "header: OS version " osv ": must be 4.0"
    ssv = f["MajorSubsystemVersion"] + 0 "." f["MinorSubsystemVersion"] + 0
    if (ssv != "4.0") print "header: subsystem version " ssv ": must be 4.0"
    if (field("Win32Version") != 0) print "header: Win32VersionValue 0x" f["Win32Version"] ": must be 0"
    if (field("LoaderFlags") != 0) print "header: LoaderFlags 0x" f["LoaderFlags"] ": must be 0"
    v = field("DllCharacteristics")
    if (v != 0) {
        split("HIGH_ENTROPY_VA DYNAMIC_BASE FORCE_INTEGRITY NX_COMPAT NO_ISOLATION NO_SEH NO_BIND APPCONTAINER WDM_DRIVER GUARD_CF TERMINAL_SERVER_AWARE", bname, " ")
        names = ""
        for (i = 1; i <= 11; i++) if (bit(v, 2 ^ (i + 4))) names = names " " bname[i]
        print "header: DllCharacteristics 0x" f["DllCharacteristics"] " (" substr(names, 2) "): must be 0"
    }
    if (field("ImageBase") != 4194304) print "header: ImageBase 0x" f["ImageBase"] ": must be 0x00400000"
    if (field("SectionAlignment") != 4096) print "header: SectionAlignment 0x" f["SectionAlignment"] ": must be 0x1000"
    v = field("FileAlignment")
    if (v != 512 && v != 1024 && v != 2048 && v != 4096)
        print "header: FileAlignment 0x" f["FileAlignment"] ": must be 0x200, 0x400, 0x800 or 0x1000"
    if (dd["9"]) print "header: TLS directory present (data directory entry 9): Windows 95 runs no TLS callbacks"
    if (dd["d"]) print "header: delay import directory present (data directory entry 13)"
    if (dd["e"]) print "header: CLR runtime header present (data directory entry 14)"
    for (i = 1; i <= nreltypes; i++)
        printf "header: %d base relocation(s) of type %s (first at offset 0x%s): only HIGHLOW\n", nrel[relorder[i]], relorder[i], relfirst[relorder[i]]
    if (!("9" in dd)) print "header: data directory missing from the objdump output"
    print field("SizeOfImage"), (dd["1"] ? 1 : 0) > sizefile
}' "$tmp/p" >"$tmp/offenders" || fail_now "cannot parse the PE header"
read -r image_size has_imports <"$tmp/size"

# Function names per allowed DLL, as "DLL!name" lines for the import check.
for dll in $allowed_dlls; do
    sed -e 's/\r$//' -e '/^#/d' -e '/^[[:space:]]*$/d' -e "s/^[[:space:]]*/$dll!/" -e 's/[[:space:]]*$//' "$lists/$dll.txt"
done >"$tmp/known"

awk -v allowed="$allowed_dlls" -v counts="$tmp/imports" '
FNR == NR { known[$0] = 1; next }
/^\tDLL Name: / {
    flush()
    dll = toupper($3); inblock = 1; ndll++
    next
}
inblock && /^[ \t]*$/ { flush(); next }
inblock && /^\t[0-9a-f]+\t/ {
    nimp++
    if ($3 == "<none>") {
        print "import: " dll " ordinal " $2 ": imports by ordinal cannot be checked"
    } else if (!(dll in ok)) {
        foreign = foreign " " $3
    } else if (!((dll "!" $3) in known)) {
        print "import: " dll "!" $3 ": not in the Windows 95 list of " dll
    }
}
function flush() {
    if (inblock && !(dll in ok))
        print "import: " dll " is not one of " allowed "; it supplies" (foreign == "" ? " no named function" : foreign)
    foreign = ""; inblock = 0
}
BEGIN { n = split(allowed, a, " "); for (i = 1; i <= n; i++) ok[a[i]] = 1 }
END { flush(); print nimp + 0, ndll + 0 > counts }
' "$tmp/known" "$tmp/p" >>"$tmp/offenders" || fail_now "cannot parse the import table"
read -r nimports ndlls <"$tmp/imports"
# An import directory that yields no DLL means the listing was not understood.
if [ "$has_imports" = 1 ] && [ "$ndlls" = 0 ]; then
    echo "import: import directory present but no import read from it" >>"$tmp/offenders"
fi

# ---- code sections: objdump -h ----
"$OBJDUMP" -h "$exe" >"$tmp/h" || fail_now "objdump -h failed"
awk '
$1 ~ /^[0-9]+$/ && NF >= 7 { name = $2; size = $3; vma = $4; next }
name != "" { if ($0 ~ /CODE/) print name, vma, size; name = "" }
' "$tmp/h" >"$tmp/code"

# Disassembly ranges: whole code sections, except the linker's constructor and
# destructor tables at the end of .text.
: >"$tmp/ranges"
while read -r sec vma size; do
    start=$((16#$vma))
    end=$((start + 16#$size))
    [ "$end" -gt "$start" ] || continue
    table=""
    if [ "$sec" = ".text" ]; then
        "$OBJDUMP" -s -j "$sec" "$exe" >"$tmp/s" || fail_now "objdump -s failed"
        table=$(awk -v base="$start" '
        function hex(s,   i, v) {
            v = 0; s = tolower(s)
            for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
            return v
        }
        function word(i) {
            if (i < 0 || i + 3 >= n) return -1
            return b[i] + 256 * (b[i + 1] + 256 * (b[i + 2] + 256 * b[i + 3]))
        }
        function intext(w) { return w >= base && w < base + n }
        /^ [0-9a-f]+ [0-9a-f]/ {
            line = substr($0, 2); cut = index(line, "  "); if (cut) line = substr(line, 1, cut - 1)
            m = split(line, g, " ")
            for (k = 2; k <= m; k++)
                for (j = 1; j + 1 <= length(g[k]); j += 2) b[n++] = hex(substr(g[k], j, 2))
        }
        END {
            # From the end: the destructor table (-1, pointers, 0), right
            # after the constructor table (-1, pointers, 0).
            for (d = n - 8; d >= 8; d--) {
                if (word(d) != 4294967295 || word(d - 4) != 0) continue
                for (j = d + 4; intext(word(j)); j += 4) ;
                if (word(j) != 0) continue
                for (k = d - 8; intext(word(k)); k -= 4) ;
                if (word(k) != 4294967295) continue
                printf "%d %d\n", base + k, base + j + 4
                exit
            }
        }' "$tmp/s")
    fi
    if [ -n "$table" ]; then
        read -r tstart tend <<<"$table"
        echo "$sec $start $tstart" >>"$tmp/ranges"
        [ "$tend" -lt "$end" ] && echo "$sec $tend $end" >>"$tmp/ranges"
    else
        echo "$sec $start $end" >>"$tmp/ranges"
    fi
done <"$tmp/code"

: >"$tmp/d"
while read -r sec from to; do
    [ "$to" -gt "$from" ] || continue
    "$OBJDUMP" -d -w -M intel -j "$sec" --start-address="$from" --stop-address="$to" "$exe" >>"$tmp/d" ||
        fail_now "objdump -d failed on $sec"
done <"$tmp/ranges"

awk -v counts="$tmp/insns" '
BEGIN {
    # The Pentium (P5) instruction set as objdump prints it in Intel syntax.
    p5 = "aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cwde cwd cdq " \
         "clc cld cli clts cmc cmp cmps cmpsb cmpsw cmpsd cmpxchg cmpxchg8b daa das dec div enter " \
         "hlt idiv imul in inc ins insb insw insd int int3 into invd invlpg iret iretd iretw jmp " \
         "jo jno jb jae je jne jbe ja js jns jp jnp jl jge jle jg jcxz jecxz lahf lar lds lea leave " \
         "les lfs lgdt lgs lidt lldt lmsw lods lodsb lodsw lodsd loop loope loopne lsl lss ltr mov " \
         "movs movsb movsw movsd movsx movzx mul neg nop not or out outs outsb outsw outsd pop popa " \
         "popad popaw popf popfd popfw push pusha pushad pushaw pushf pushfd pushfw rcl rcr ret retf " \
         "rol ror sahf sal sar sbb scas scasb scasw scasd seto setno setb setae sete setne setbe seta " \
         "sets setns setp setnp setl setge setle setg sgdt shl shld shr shrd sidt sldt smsw stc std " \
         "sti stos stosb stosw stosd str sub test verr verw wait fwait wbinvd xadd xchg xlat xlatb xor ud2 " \
         "f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp " \
         "fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist fistp " \
         "fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop " \
         "fpatan fprem fprem1 fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw " \
         "fnstcw fstenv fnstenv fstp fstsw fnstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp " \
         "fxam fxch fxtract fyl2x fyl2xp1"
    n = split(p5, a, " "); for (i = 1; i <= n; i++) isp5[a[i]] = 1
    n = split("lock rep repz repnz repe repne data16 data32 addr16 addr32 cs ds es ss fs gs", a, " ")
    for (i = 1; i <= n; i++) isprefix[a[i]] = 1
    n = split("66 67 f2 f3 2e 36 3e 26 64 65 f0", a, " "); for (i = 1; i <= n; i++) prefixbyte[a[i]] = 1
}
function reason(mnem, ops, bytes,   n, i, t, body) {
    if (mnem == "(bad)") return "undecodable bytes in a code section"
    if (mnem ~ /^cmov/) return "conditional move: Pentium Pro and later"
    if (mnem ~ /^fcmov/ || mnem ~ /^fu?comip?$/) return "P6 floating-point compare/move: Pentium Pro and later"
    if (mnem == "emms" || mnem == "femms" || ops ~ /(^|[^a-z])mm[0-7]/) return "MMX: the Pentium and the K5 lack it"
    if (ops ~ /(^|[^a-z])[xyz]mm[0-9]/ || ops ~ /\{k[0-7]\}/) return "SSE or later"
    if (ops ~ /(^|[^a-z])(tr[0-7]|bnd[0-3]|tmm[0-7])/) return "register not on the Pentium"
    if (mnem == "tzcnt") return "BMI (F3 0F BC): a Pentium would see bsf with a reserved prefix"
    if (mnem == "cpuid") return "switched off by default on the 6x86 (illegal instruction there)"
    if (mnem == "rdtsc") return "not every Socket 7 processor has the time-stamp counter"
    if (mnem == "rdmsr" || mnem == "wrmsr" || mnem == "rsm") return "model-specific system instruction"
    if (mnem == "nop") {
        n = split(bytes, t, " "); body = ""
        for (i = 1; i <= n && (t[i] in prefixbyte); i++) ;
        for (; i <= n; i++) body = body t[i]
        if (body != "90") return "multi-byte NOP (0F 1F): Pentium Pro and later"
        return ""
    }
    if (!(mnem in isp5)) return "not in the Pentium (P5) instruction set"
    return ""
}
/^Disassembly of section / { sec = $4; sub(/:$/, "", sec); next }
/^[0-9a-f]+ <.*>:$/ { sym = $2; sub(/:$/, "", sym); next }
/^ *[0-9a-f]+:\t/ {
    nf = split($0, part, "\t")
    if (nf < 3) next
    addr = part[1]; gsub(/[ :]/, "", addr)
    bytes = part[2]; gsub(/^ +| +$/, "", bytes)
    insn = part[3]; for (i = 4; i <= nf; i++) insn = insn " " part[i]
    gsub(/  +/, " ", insn); gsub(/^ +| +$/, "", insn)
    if (insn == "") next
    ninsn++
    m = split(insn, t, " ")
    for (i = 1; i <= m && (t[i] in isprefix); i++) ;
    if (i > m) next
    mnem = t[i]; ops = ""
    for (i++; i <= m; i++) ops = ops " " t[i]
    gsub(/<[^>]*>/, "", ops)
    r = reason(mnem, ops, bytes)
    if (r != "") printf "instruction: %s 0x%s %s: %s  %s: %s\n", sec, addr, sym, bytes, insn, r
}
END { print ninsn + 0 > counts }
' "$tmp/d" >>"$tmp/offenders" || fail_now "cannot parse the disassembly"
read -r ninsns <"$tmp/insns"
if [ -s "$tmp/ranges" ] && [ "$ninsns" = 0 ]; then
    echo "instruction: code sections present but no instruction read from them" >>"$tmp/offenders"
fi

noff=$(grep -c . "$tmp/offenders")
if [ "$noff" -gt 0 ]; then
    sed "s|^|$prog: $exe: |" "$tmp/offenders"
    echo "FAIL: $exe: $noff offender(s)"
    exit 1
fi
file_size=$(wc -c <"$exe")
printf 'OK: %s: %d bytes on disk, SizeOfImage %d (0x%x); i386 GUI 4.0; %d imports from %d DLLs; %d instructions, all P5\n' \
    "$exe" "$file_size" "$image_size" "$image_size" "$nimports" "$ndlls" "$ninsns"
exit 0
