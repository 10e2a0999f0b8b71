# Each library is compiled against the headers of the libraries it links and no
# others: a header from a library a target does not link is not found. A library's
# include root lies in the build tree and holds, at each of its headers' paths
# ("player/gamefile/image.h"), a one-line header that includes the real one: the
# sources keep their include paths and stay where they are, without symbolic links.
#
# pryx_include_root(TARGET [HEADERS header...] [EXCEPT header...])
# gives TARGET the root of the headers beside its CMakeLists.txt, or of the
# HEADERS named (relative to it), leaving out those of EXCEPT. Executables take
# it privately, libraries publicly.
function(pryx_include_root target)
  cmake_parse_arguments(PARSE_ARGV 1 ROOT "" "" "HEADERS;EXCEPT")
  if(ROOT_HEADERS)
    set(headers ${ROOT_HEADERS})
  else()
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  if(ROOT_EXCEPT)
    list(REMOVE_ITEM headers ${ROOT_EXCEPT})
  endif()
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  # Headers moved away or given to another library leave no stale forward behind.
  file(GLOB forwards RELATIVE ${root}/${folder} ${root}/${folder}/*.h)
  foreach(forward IN LISTS forwards)
    if(NOT forward IN_LIST headers)
      file(REMOVE ${root}/${folder}/${forward})
    endif()
  endforeach()
  foreach(header IN LISTS headers)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
      message(FATAL_ERROR "pryx_include_root(${target}): no header ${header} in ${folder}")
    endif()
    # A relative path keeps the forward the same in every checkout, so a compiler
    # cache shared between checkouts finds its objects.
    get_filename_component(forward_folder ${root}/${folder}/${header} DIRECTORY)
    file(RELATIVE_PATH target_header ${forward_folder} ${CMAKE_CURRENT_SOURCE_DIR}/${header})
    file(CONFIGURE OUTPUT ${root}/${folder}/${header}
         CONTENT "#include \"${target_header}\"\n" @ONLY)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  elseif(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
