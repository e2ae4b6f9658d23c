# bash completion for mascot-tool

_mascot_tool() {
    local cur prev words cword
    _init_completion || return

    local commands="publish info verify export import image-info convert-image"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help" -- "$cur"))
        return
    fi

    local command=${words[1]}
    # Options that take a value.
    case $prev in
        --to)
            _filedir -d
            return
            ;;
        --scale)
            COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16" -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        local options="--help"
        case $command in
            info | image-info) options+=" --json" ;;
            import) options+=" --to --overwrite" ;;
            convert-image) options+=" --transparent --scale" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # The files each command reads, by the place of the argument among the
    # words that are not options.
    local i position=0
    for ((i = 2; i < cword; i++)); do
        case ${words[i]} in
            --to | --scale) ((i++)) ;;
            -*) ;;
            *) ((position++)) ;;
        esac
    done
    case $command in
        publish)
            if ((position == 0)); then _filedir wmascot; else _filedir mascot; fi
            ;;
        info | verify)
            _filedir '@(mascot|wmascot)'
            ;;
        export)
            if ((position == 0)); then _filedir mascot; else _filedir -d; fi
            ;;
        import)
            _filedir pylx
            ;;
        image-info)
            _filedir '@(bmp|pcx|lbm|iff|xpm)'
            ;;
        convert-image)
            if ((position == 0)); then _filedir '@(bmp|pcx|lbm|iff|xpm)'; else _filedir png; fi
            ;;
    esac
} &&
    complete -F _mascot_tool mascot-tool
