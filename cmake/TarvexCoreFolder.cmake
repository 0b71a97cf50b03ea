# One library per folder of the core. A folder's files are found as "<folder>/<file>" through a
# folder of the build that holds that folder alone, so the files of a core folder see only the
# folders whose libraries it links: an include against the arrows does not compile.
#
#   tarvex_core_folder(<folder> [SOURCES <file>...] [LINKS <library>...])
#
# makes tarvex_<folder>, a static library of SOURCES, or a header-only one without them.
function(tarvex_core_folder folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  set(target tarvex_${folder})
  set(root ${PROJECT_BINARY_DIR}/core_include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC RESULT linked)
  if(NOT linked EQUAL 0)
    # A host that makes no symbolic links (Windows without the right) still builds, only
    # without this guard; scripts/check-habits.sh arrows keeps it there.
    set(root ${PROJECT_SOURCE_DIR})
  endif()
  if(arg_SOURCES)
    add_library(${target} STATIC ${arg_SOURCES})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${arg_LINKS})
    tarvex_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${arg_LINKS})
  endif()
endfunction()
