# The fuzzers' seeds: their own (fuzz/corpus/NAME), the shipped skins, and the skin lines and
# codes of the authors' guide. Sourced by scripts/fuzz and scripts/test.
#   fuzz_seeds CORPUS FUZZER...   copies each fuzzer's seeds into CORPUS/FUZZER

fuzz_all=(skin_file band_skin run_code pointer position values key_notation lyrics skin_editor
          shortcut_manager option_file)

fuzz_seeds() { # corpus fuzzer...
  local corpus=$1 name
  shift
  _seed() { # fuzzer files...
    local name=$1 f
    shift
    mkdir -p "$corpus/$name"
    for f in "$@"; do [ -f "$f" ] && cp "$f" "$corpus/$name/seed-$(echo "$f" | tr '/ ' '__')"; done
    return 0
  }
  for name in "$@"; do
    _seed "$name" fuzz/corpus/"$name"/*
    case $name in
      skin_file | skin_editor) _seed "$name" skins/*/skin.ini ;;
      band_skin) _seed "$name" skins/DeskBand/*/skin.ini skins/*/skin.ini ;;
    esac
    case $name in
      skin_file | band_skin)
        grep -oh '`[a-z]*=[^`]*`' README.md docs/*.md | tr -d '`' >"$corpus/$name/seed-guide-lines" || true ;;
      run_code)
        grep -oh '`[a-z]*=[^`]*`' README.md docs/*.md | tr -d '`' | grep -v '^[a-z]*=$' \
          | sed -n 's/^[a-z]*=//p' >"$corpus/$name/seed-guide-codes" || true ;;
    esac
  done
}
