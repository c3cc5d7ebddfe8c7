# Sourced by the scripts that install what they need. Installs the Debian
# packages named as arguments that are not installed yet (as root), and runs
# the scripts' stages with one line each.
#
# A fresh machine's package indexes can be briefly inconsistent ("File has
# unexpected size ... Mirror sync in progress?"): the update is retried a few
# times, and the install goes ahead with whatever indexes did download. Only
# an install that truly fails stops the script, naming what is missing.
#
# The package manager's and the build's output go to log files under
# build/logs/; a stage that fails shows the end of its log and names it.
pat_log_dir=build/logs
mkdir -p "$pat_log_dir"

pat_have_package() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# pat_stage LOG WHAT COMMAND...: runs COMMAND with its output in
# build/logs/LOG.log and prints one line for it.
pat_stage() {
    local log=$pat_log_dir/$1.log what=$2 status=0
    shift 2
    printf '%s ... ' "$what"
    "$@" >"$log" 2>&1 || status=$?
    if [ $status -eq 0 ]; then
        echo "done"
        return 0
    fi
    echo "failed"
    tail -n 40 "$log" >&2
    echo "The whole output is in $log." >&2
    return $status
}

pat_apt_install() {
    local attempt
    export DEBIAN_FRONTEND=noninteractive
    for attempt in 1 2 3 4; do
        if apt-get update -q; then break; fi
        echo "apt-get update reported errors (attempt $attempt of 4); retrying shortly"
        sleep $((attempt * 5))
    done
    for attempt in 1 2 3; do
        if apt-get install -y -q --no-install-recommends "$@"; then return 0; fi
        echo "apt-get install failed (attempt $attempt of 3); refreshing the indexes and retrying"
        sleep $((attempt * 5))
        apt-get update -q || true
    done
    return 1
}

pat_install_packages() {
    local need=() pkg
    case " $* " in *":i386 "*)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
    esac
    for pkg in "$@"; do pat_have_package "$pkg" || need+=("$pkg"); done
    [ ${#need[@]} -eq 0 ] && return 0
    pat_stage install "installing ${#need[@]} Debian packages (${need[*]})" pat_apt_install "${need[@]}" && return 0
    local missing=()
    for pkg in "${need[@]}"; do pat_have_package "$pkg" || missing+=("$pkg"); done
    echo "error: could not install: ${missing[*]}" >&2
    echo "Check the machine's Debian sources (apt-get update) and run the script again." >&2
    return 69  # EX_UNAVAILABLE
}
