# Quavero's one version number is the project's (CMakeLists.txt). Every Windows binary carries
# it in its version resource; the installer, its registration and "Quavero Changes" show it.
set(QUAVERO_PUBLISHER "The Quavero developers")
set(QUAVERO_COPYRIGHT "Copyright (C) 2026 The Quavero developers")

# Gives a Windows executable or DLL its version resource (nothing elsewhere).
function(quavero_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(QUAVERO_FILE_TYPE VFT_APP)
    set(QUAVERO_FILE_NAME "${name}.exe")
  else()
    set(QUAVERO_FILE_TYPE VFT_DLL)
    set(QUAVERO_FILE_NAME "${name}.dll")
  endif()
  set(QUAVERO_FILE_DESCRIPTION "${description}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()
