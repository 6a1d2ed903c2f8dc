# Sourced by the scripts: lays out Quavero's application folder below a build folder (the
# program, every shipped skin in Skins\, the desk band's DeskBand\, the demo lyrics, an empty
# personal.ini) and prints its path.
lay_out_app_folder() { # build-folder
  local app="$1/app"
  mkdir -p "$app/Skins"
  cp "$1/src/main/Quavero.exe" "$app/"
  local skin
  for skin in skins/*/; do
    skin=$(basename "$skin")
    [ "$skin" = DeskBand ] && continue
    rm -rf "$app/Skins/$skin"
    cp -r "skins/$skin" "$app/Skins/$skin"
  done
  rm -rf "$app/Lyrics"
  rm -rf "$app/DeskBand"
  cp -r skins/DeskBand "$app/DeskBand"
  cp -r lyrics "$app/Lyrics"
  [ -f "$app/personal.ini" ] || : > "$app/personal.ini"
  echo "$app"
}
