#!/usr/bin/env bash
# Packs the build with CPack and checks what a user downloads. SHA256SUMS
# holds the hash of every package that CPack made, and of nothing else. Each
# package holds exactly the files of its kind's list, packages/KIND.list
# (KIND being how its name ends, VERSION standing for the version), below
# its one folder where it has one named after it; a file that is not an
# archive holds itself. The first of them is the program, which runs the
# example session, and so does a launcher beside it; a page runs in the
# browser tests instead.
#   check_package.sh SCRATCH [EMULATOR...], with CMAKE, CPACK, CONFIG
#   (CPack's configuration), VERSION and run_transcript.sh's CRLF in the
#   environment
set -u
scratch=$1
shift
tests=$(cd "$(dirname "$0")" && pwd)

rm -rf "$scratch"
"$CPACK" --config "$CONFIG" -B "$scratch" >/dev/null || exit
cd "$scratch" || exit
sha256sum --check --quiet SHA256SUMS || exit

failures=()
listed=$(cut -d ' ' -f 3- SHA256SUMS | sort)
# Not the External generator's metadata, which it writes beside its packages.
made=$(find . -maxdepth 1 -type f ! -name SHA256SUMS ! -name '*.json' -printf '%f\n' | sort)
if [[ $listed != "$made" ]]; then
    failures+=("SHA256SUMS lists $(echo $listed), but CPack made $(echo $made)")
fi

for package in $listed; do
    kind=
    for list in "$tests"/packages/*.list; do
        list=${list##*/}
        if [[ $package == *.${list%.list} ]]; then
            kind=${list%.list}
        fi
    done
    if [[ -z $kind ]]; then
        failures+=("$package is of no kind in packages/")
        continue
    fi

    root=$PWD/unpacked/$package
    mkdir -p "$root"
    case $kind in
    deb) dpkg-deb --extract "$package" "$root" ;;
    tar.gz | zip) (cd "$root" && "$CMAKE" -E tar xf "$scratch/$package") ;;
    *) cp "$package" "$root" ;;
    esac
    if [[ -d $root/${package%.$kind} ]]; then
        root=$root/${package%.$kind}
    fi

    expected=$(grep -v '^#' "$tests/packages/$kind.list" | sed "s/VERSION/$VERSION/g")
    found=$(cd "$root" && find . -type f -printf '%P\n' | sort)
    if [[ $found != "$(sort <<<"$expected")" ]]; then
        failures+=("$package holds $(echo $found), not $(echo $expected)")
    fi

    program=$root/$(head -n 1 <<<"$expected")
    if [[ $program != *.html ]]; then
        bash "$tests/run_transcript.sh" "$tests/transcripts/example-session" "$@" "$program" ||
            failures+=("the program in $package fails the example session")
    fi
    if [[ -e $root/beadsort.cmd ]]; then
        # For a double-click: the report, then the wait for a key, in the
        # words of wine's cmd.
        launcher=Z:$root/beadsort.cmd
        bash "$tests/run_transcript.sh" "$tests/packages/launcher" "$@" cmd /c "${launcher//\//\\}" ||
            failures+=("beadsort.cmd in $package fails the example session")
    fi
    # Older Notepad reads a guide as UTF-8 only by its byte-order mark.
    if [[ -e $root/README.txt && $(head -c 3 "$root/README.txt" | od -An -tx1) != " ef bb bf" ]]; then
        failures+=("README.txt in $package does not begin with a UTF-8 byte-order mark")
    fi
done

if ((${#failures[@]})); then
    printf '%s\n' "${failures[@]}" >&2
    exit 1
fi
