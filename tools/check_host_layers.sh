#!/bin/sh
# pat-host's folders point one way, as the module's layers do:
#   cli -> serve -> schedule, report -> poll -> printer_mib -> sources, module, snapshot, transport -> outcome
#   cli -> simulator -> snmp, transport;  sources -> snmp, cleaning;  input (files) -> outcome
# A file includes headers of its own folder or of a folder its folder may use
# (the table below, each list complete rather than transitive), so no two
# folders include each other. Only main.cpp sits at the top.
# Usage: check_host_layers.sh PAT_HOST_DIR
dir=${1:?usage: check_host_layers.sh PAT_HOST_DIR}
uses() {
    case "$1" in
        outcome|cleaning|snmp) echo "" ;;
        transport|input) echo "outcome" ;;
        module) echo "outcome peloader" ;;
        snapshot) echo "module outcome" ;;
        sources) echo "snmp cleaning input outcome" ;;
        printer_mib) echo "sources module snapshot snmp cleaning input outcome" ;;
        poll) echo "printer_mib sources module snapshot transport snmp cleaning input outcome" ;;
        report) echo "poll printer_mib sources module snapshot transport snmp cleaning input outcome" ;;
        simulator) echo "snmp transport input outcome" ;;
        schedule) echo "poll printer_mib sources module snapshot transport snmp cleaning input outcome" ;;
        serve) echo "schedule report poll printer_mib sources module snapshot transport snmp cleaning input outcome" ;;
        cli) echo "serve schedule simulator report poll printer_mib sources module snapshot transport snmp cleaning input outcome" ;;
        top) echo "cli" ;;
        *) echo "-" ;;
    esac
}
status=0
for file in $(find "$dir" -name '*.cpp' -o -name '*.h'); do
    relative=${file#"$dir"/}
    case "$relative" in
        */*) folder=${relative%%/*} ;;
        main.cpp) folder=top ;;
        *) echo "$file: only main.cpp belongs at the top of pat-host; put it in the folder of its job" >&2
           status=1; continue ;;
    esac
    allowed=$(uses "$folder")
    if [ "$allowed" = "-" ]; then
        echo "$file: $folder/ is not in the layer table of $0" >&2
        status=1
        continue
    fi
    for target in $(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u); do
        [ "$target" = pat ] || [ "$target" = "$folder" ] && continue
        case " $allowed " in *" $target "*) continue ;; esac
        echo "$file: includes a header of $target/, which $folder/ may not use" >&2
        status=1
    done
done
[ $status -eq 0 ] && echo "every pat-host include points downward"
exit $status
