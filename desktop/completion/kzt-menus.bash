# Bash completion for the KZT web menu builders: dulcamon, kestravo, vantrel
# and osmerin. Completes the options and, where a project is expected, the
# program's own project files.

_kzt_menus()
{
    local cur prev words cword
    _init_completion || return

    local ext options
    options="--help --version --build-html --report --publish --serve"
    case $1 in
        *dulcamon) ext=dlcg ;;
        *kestravo) ext=ksdm ;;
        *vantrel) ext=vtp ;;
        *osmerin) ext=osn ;;
        *) return ;;
    esac
    case $ext in
        dlcg | ksdm) options+=" --export-gms --import-gms" ;;
        *) options+=" --script-runtime --no-script-runtime" ;;
    esac

    local first=${words[1]-}
    case $prev in
        --help | -h | --version | --port)
            return ;;
        --to)
            _filedir -d
            return ;;
    esac

    if ((cword == 1)); then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
        else
            _filedir "$ext"
        fi
        return
    fi

    case $first in
        --import-gms)
            # IN is a menu structure file, then the new project.
            if ((cword == 2)); then _filedir gms; else _filedir "$ext"; fi
            return ;;
        --export-gms)
            if ((cword == 2)); then _filedir "$ext"; else _filedir gms; fi
            return ;;
        --publish)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--to --script-runtime --no-script-runtime" -- "$cur"))
                [[ $ext == dlcg || $ext == ksdm ]] && COMPREPLY=($(compgen -W "--to" -- "$cur"))
                return
            fi ;;
        --serve)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--port --script-runtime --no-script-runtime" -- "$cur"))
                [[ $ext == dlcg || $ext == ksdm ]] && COMPREPLY=($(compgen -W "--port" -- "$cur"))
                return
            fi ;;
        --build-html | --report)
            if [[ $cur == -* && $ext != dlcg && $ext != ksdm ]]; then
                COMPREPLY=($(compgen -W "--script-runtime --no-script-runtime" -- "$cur"))
                return
            fi ;;
        *)
            return ;;
    esac
    _filedir "$ext"
} &&
    complete -F _kzt_menus dulcamon kestravo vantrel osmerin

# ex: filetype=sh
