# Sourced by the scripts that install what they need. Installs the Debian
# packages named as arguments that are not installed yet (as root).
#
# A fresh machine's package indexes can be briefly inconsistent ("File has
# unexpected size ... Mirror sync in progress?"): the update is retried a few
# times, and the install goes ahead with whatever indexes did download. Only
# an install that truly fails stops the script, naming what is missing.
pat_have_package() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

pat_install_packages() {
    local need=() pkg attempt
    case " $* " in *":i386 "*)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
    esac
    for pkg in "$@"; do pat_have_package "$pkg" || need+=("$pkg"); done
    [ ${#need[@]} -eq 0 ] && return 0
    echo "installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    for attempt in 1 2 3 4; do
        if apt-get update -q; then break; fi
        echo "apt-get update reported errors (attempt $attempt of 4); retrying shortly" >&2
        sleep $((attempt * 5))
    done
    for attempt in 1 2 3; do
        if apt-get install -y -q --no-install-recommends "${need[@]}"; then return 0; fi
        echo "apt-get install failed (attempt $attempt of 3); refreshing the indexes and retrying" >&2
        sleep $((attempt * 5))
        apt-get update -q || true
    done
    local missing=()
    for pkg in "${need[@]}"; do pat_have_package "$pkg" || missing+=("$pkg"); done
    echo "error: could not install: ${missing[*]}" >&2
    echo "Check the machine's Debian sources (apt-get update) and run the script again." >&2
    return 69  # EX_UNAVAILABLE
}
