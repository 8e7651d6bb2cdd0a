# tarnova_subsystem(<name> PUBLIC_LIBS ...): a static library from every source in src/<name>/ and its subfolders.
function(tarnova_subsystem name)
  cmake_parse_arguments(ARG "" "" "PUBLIC_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(sources)
    add_library(tarnova_${name} STATIC ${sources})
    target_include_directories(tarnova_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tarnova_${name} PUBLIC ${ARG_PUBLIC_LIBS})
    if(TARNOVA_FUZZ)
      # Coverage for libFuzzer in the game's libraries only: the fuzz targets link the fuzzer's
      # runtime; the game and the tools stay plain programs.
      target_compile_options(tarnova_${name} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
  else()
    # A subsystem with headers only so far.
    add_library(tarnova_${name} INTERFACE)
    target_include_directories(tarnova_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tarnova_${name} INTERFACE ${ARG_PUBLIC_LIBS})
  endif()
endfunction()
