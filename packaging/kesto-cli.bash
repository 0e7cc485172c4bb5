# Bash completion of kesto-cli: subcommands, the options of process and index
# and their values, settings files by their extension, picture directories.

# Files with one of the extensions given, and folders, matching $cur.
_kesto_cli_files() {
  local ext
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(
    for ext in "$@"; do compgen -f -X "!*.$ext" -- "$cur"; done
    compgen -d -- "$cur"
  )
}

_kesto_cli_words() {
  mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur")
}

_kesto_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local sub="" config_sub="" i
  COMPREPLY=()
  for ((i = 1; i < COMP_CWORD; i++)); do
    [[ ${COMP_WORDS[i]} == -* ]] && continue
    if [ -z "$sub" ]; then
      sub=${COMP_WORDS[i]}
    elif [ "$sub" = config ] && [ -z "$config_sub" ]; then
      config_sub=${COMP_WORDS[i]}
    fi
  done
  case $sub in
    "") _kesto_cli_words "process index config --help --version" ;;
    process | index)
      case $prev in
        --config) _kesto_cli_files cfg cfe ;;
        --state) _kesto_cli_files ini ;;
        --dir-list) _kesto_cli_files dir ;;
        --mode) _kesto_cli_words "express advanced" ;;
        --resize) _kesto_cli_words "height width both" ;;
        --formats) _kesto_cli_words "png webp tiff heic avif" ;;
        --sort) _kesto_cli_words "name date" ;;
        --quality | --height | --width | --jobs | --shard) ;;
        *)
          if [[ $cur == -* && $sub == index ]]; then
            _kesto_cli_words "--help --config --mode --formats"
          elif [[ $cur == -* ]]; then
            _kesto_cli_words "--help --config --state --dir-list --mode --quality --resize
              --height --width --progressive --no-progressive --jobs --sort --yes --no --quiet
              --formats --recursive --index --shard"
          else
            _kesto_cli_files  # picture directories
          fi ;;
      esac ;;
    config)
      if [ -z "$config_sub" ]; then
        _kesto_cli_words "show init --help"
      else
        _kesto_cli_files cfg cfe
      fi ;;
  esac
}
complete -F _kesto_cli kesto-cli
