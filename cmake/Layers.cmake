# The program is built in layers, each a static library that sees only its own headers and
# those of the layers it links: an include that skips to a layer it does not link (a view
# reaching into a Linux backend, the logic into the app state) does not build.
#
# pelmix_layer(<target> FOLDERS <folder>... [SHALLOW <folder>...] [LINKS <target>...])
#   FOLDERS: folders under src/ taken with their subfolders; SHALLOW: without them.
#   Each header is linked into build/layers/<target>/ under its path below src/, and that
#   folder is the one include folder the target passes on.
function(pelmix_layer target)
  cmake_parse_arguments(LAYER "" "" "FOLDERS;SHALLOW;LINKS" ${ARGN})
  set(root ${PROJECT_SOURCE_DIR}/src)
  set(sources)
  foreach(folder ${LAYER_FOLDERS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(folder ${LAYER_SHALLOW})
    file(GLOB found CONFIGURE_DEPENDS ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()

  set(stage ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${stage})
  foreach(file ${sources})
    if(file MATCHES "\\.h$")
      file(RELATIVE_PATH relative ${root} ${file})
      get_filename_component(folder ${stage}/${relative} DIRECTORY)
      file(MAKE_DIRECTORY ${folder})
      file(CREATE_LINK ${file} ${stage}/${relative} SYMBOLIC)
    endif()
  endforeach()

  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${stage})
  target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
endfunction()
