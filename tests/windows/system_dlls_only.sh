#!/bin/sh
# Checks with objdump -p that each program imports only DLLs that every Windows has.
#   system_dlls_only.sh <objdump> <program.exe>...
set -u
objdump=$1
shift
status=0
for program in "$@"; do
    dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$dlls" ]; then
        echo "$program: objdump shows no imported DLL" >&2
        status=1
    fi
    for dll in $dlls; do
        case $(echo "$dll" | tr 'A-Z' 'a-z') in
        kernel32.dll | msvcrt.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | \
            ole32.dll | oleaut32.dll | comctl32.dll | comdlg32.dll | shlwapi.dll | ws2_32.dll)
            echo "$(basename "$program"): $dll" ;;
        *)
            echo "$(basename "$program"): $dll is not a system DLL" >&2
            status=1 ;;
        esac
    done
done
exit $status
