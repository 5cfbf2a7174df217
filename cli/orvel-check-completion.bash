# bash completion for orvel-check                                    -*- shell-script -*-

_orvel_check()
{
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        --project)
            _filedir opr
            return
            ;;
        --top | --exclude | --settings)
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
                        IgnoreHTMLInfo | IgnoreJavaScript | HideInfoBoxAfterCheck | ModernHTML)
                        COMPREPLY=($(compgen -W "1 0" -- "${cur#*=}")) # after the "="
                        ;;
                esac
                return
            fi
            local keys='ExternalEditor ExternalViewer IgnoreCase DefaultFileName isSpaceValid
                CommandLineOption TagJumpCommandLineOption AnchorMakesFileBlue CheckLocalFile
                IgnoreHTMLInfo IgnoreJavaScript HideInfoBoxAfterCheck ExtListHTML ExtListImg ModernHTML'
            COMPREPLY=($(compgen -W "$keys" -S '=' -- "$cur"))
            compopt -o nospace
            return
            ;;
        --wildcard)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--project --top --exclude --wildcard --ignore-folder
            --server-root --settings --no-settings --set --format --quiet --help --version' -- "$cur"))
        return
    fi
    _filedir -d
} &&
    complete -F _orvel_check orvel-check

# ex: filetype=sh
