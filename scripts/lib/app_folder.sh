# Sourced by the scripts: lays out Quavero's application folder below a build folder (the
# program, Skins\Default\, the desk band's DeskBand\Default\, an empty personal.ini) and prints
# its path.
lay_out_app_folder() { # build-folder
  local app="$1/app"
  mkdir -p "$app/Skins"
  cp "$1/src/main/Quavero.exe" "$app/"
  rm -rf "$app/Skins/Default"
  cp -r skins/Default "$app/Skins/Default"
  rm -rf "$app/Skins/Lyrics" "$app/Lyrics"
  cp -r skins/Lyrics "$app/Skins/Lyrics"
  rm -rf "$app/DeskBand"
  cp -r skins/DeskBand "$app/DeskBand"
  cp -r lyrics "$app/Lyrics"
  [ -f "$app/personal.ini" ] || : > "$app/personal.ini"
  echo "$app"
}
