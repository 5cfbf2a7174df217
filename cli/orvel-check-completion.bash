# bash completion for orvel-check                                    -*- shell-script -*-

# The FOLDER on the line, wherever it stands: the first word that is neither an option nor the
# value of one.
_orvel_check_folder()
{
    local i
    for ((i = 1; i < ${#words[@]}; i++)); do
        ((i == cword)) && continue
        case ${words[i]} in
            --project | --top | --exclude | --wildcard | --ignore-folder | --server-root | \
                --settings | --set | --format | --ignore-link | --write-project)
                ((i++))
                ;;
            -*) ;;
            *)
                printf '%s\n' "${words[i]}"
                return
                ;;
        esac
    done
}

# Paths below the site folder for --top and --exclude, as they are given there: relative to it.
_orvel_check_site_path()
{
    local folder
    folder=$(_orvel_check_folder)
    folder=${folder/#\~\//$HOME/}
    if [[ ! -d $folder ]]; then
        _filedir
        return
    fi
    local base=${folder%/}/ path found
    mapfile -t found < <(compgen -f -- "$base$cur")
    COMPREPLY=()
    for path in "${found[@]}"; do
        [[ -d $path ]] && path+=/
        COMPREPLY+=("${path#"$base"}")
    done
    compopt -o filenames
    [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == */ ]] && compopt -o nospace
}

_orvel_check()
{
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        --project | --write-project)
            _filedir opr
            return
            ;;
        --top | --exclude)
            _orvel_check_site_path
            return
            ;;
        --settings)
            _filedir
            return
            ;;
        --ignore-folder | --server-root)
            _filedir -d
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'text json gnu sarif' -- "$cur"))
            return
            ;;
        --set)
            # The "Option" keys of the settings file; a value follows the "=". The switches take
            # 1 or 0: ModernHTML=1 (the default) reads links as a browser opening the page from
            # disk, ModernHTML=0 by the original program's byte rules.
            if [[ $cur == *=* ]]; then
                case ${cur%%=*} in
                    IgnoreCase | isSpaceValid | AnchorMakesFileBlue | CheckLocalFile | \
                        IgnoreHTMLInfo | IgnoreJavaScript | HideInfoBoxAfterCheck | ModernHTML | \
                        CheckExternal)
                        COMPREPLY=($(compgen -W "1 0" -- "${cur#*=}")) # after the "="
                        ;;
                esac
                return
            fi
            local keys='ExternalEditor ExternalViewer IgnoreCase DefaultFileName isSpaceValid
                CommandLineOption TagJumpCommandLineOption AnchorMakesFileBlue CheckLocalFile
                IgnoreHTMLInfo IgnoreJavaScript HideInfoBoxAfterCheck ExtListHTML ExtListImg ModernHTML
                CheckExternal ExternalPerHost ExternalTotal ExternalTimeout ExternalPageKiB
                ExternalCacheHours'
            COMPREPLY=($(compgen -W "$keys" -S '=' -- "$cur"))
            compopt -o nospace
            return
            ;;
        --wildcard | --ignore-link)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--project --top --exclude --wildcard --ignore-folder
            --server-root --ignore-link --write-project --settings --no-settings --set --format
            --check-external --fail-external --quiet --help --version' -- "$cur"))
        return
    fi
    _filedir -d
} &&
    complete -F _orvel_check orvel-check

# ex: filetype=sh
