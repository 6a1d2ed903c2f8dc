# Third-party pieces, all from Debian's packages. The Windows build compiles GoogleTest from
# Debian's source package and takes nlohmann/json's headers from the native include folder.

if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUAVERO_HAVE_BENCHMARK OFF)
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  set(QUAVERO_HAVE_BENCHMARK ${benchmark_FOUND})
endif()

# nlohmann/json is header-only: copy its headers beside the build so the cross compiler sees them
# without the whole native include folder.
find_file(NLOHMANN_JSON_HEADER json.hpp PATHS /usr/include/nlohmann NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
get_filename_component(_nlohmann_dir ${NLOHMANN_JSON_HEADER} DIRECTORY)
file(COPY ${_nlohmann_dir} DESTINATION ${CMAKE_BINARY_DIR}/third_party/include)
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party/include)
