# ICU's data library cut down to the items listed in ITEMS.
#
# Both modes work in WORK, removed and made again.
#
# Cut: takes the common data package out of the installed library (the bytes of its
# one exported symbol icudtNN_dat), keeps only the listed items (icupkg) and links
# them into the library OUTPUT of the same soname and symbol; then checks it.
#   cmake -DMODE=cut -DSYSTEM_LIBRARY=libicudata.so.NN -DITEMS=icu-data-items.txt
#         -DOUTPUT=... -DWORK=... -DCC=... -DNM=... -DOBJDUMP=... -DICUPKG=... -P icu_data_package.cmake
# Check: fails unless LIBRARY holds exactly the items listed in ITEMS.
#   cmake -DMODE=check -DLIBRARY=libicudata.so.NN -DITEMS=... -DWORK=... -DNM=... -DOBJDUMP=... -DICUPKG=... -P icu_data_package.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "icu_data_package: failed (${status}): ${ARGN}\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

# The data symbol of `library` and its bytes as the package file `package` in `work`,
# named icudtNNl.dat (little-endian, as on x86-64): icupkg wants the name its items carry.
function(extract_package library work symbol_var package_var)
  run(${NM} -D -S --defined-only ${library})
  if(NOT output MATCHES "([0-9a-f]+) ([0-9a-f]+) R (icudt([0-9]+)_dat)\n")
    message(FATAL_ERROR "icu_data_package: ${library} exports no ICU data symbol")
  endif()
  set(address ${CMAKE_MATCH_1})
  set(size ${CMAKE_MATCH_2})
  set(symbol ${CMAKE_MATCH_3})
  set(version ${CMAKE_MATCH_4})
  run(${OBJDUMP} -h ${library})
  if(NOT output MATCHES " \\.rodata +([0-9a-f]+) +([0-9a-f]+) +[0-9a-f]+ +([0-9a-f]+)")
    message(FATAL_ERROR "icu_data_package: ${library} has no .rodata")
  endif()
  math(EXPR offset "0x${CMAKE_MATCH_3} + 0x${address} - 0x${CMAKE_MATCH_2}")
  math(EXPR length "0x${size}")
  set(package ${work}/icudt${version}l.dat)
  file(MAKE_DIRECTORY ${work})
  run(dd if=${library} of=${package} bs=1M iflag=skip_bytes,count_bytes skip=${offset} count=${length} status=none)
  set(${symbol_var} ${symbol} PARENT_SCOPE)
  set(${package_var} ${package} PARENT_SCOPE)
endfunction()

function(package_items package items_var)
  run(${ICUPKG} -l ${package})
  string(STRIP "${output}" output)
  string(REPLACE "\n" ";" items "${output}")
  list(SORT items)
  set(${items_var} ${items} PARENT_SCOPE)
endfunction()

file(STRINGS ${ITEMS} kept REGEX "^[^# ]")
file(REMOVE_RECURSE ${WORK})
list(SORT kept)

if(MODE STREQUAL "cut")
  extract_package(${SYSTEM_LIBRARY} ${WORK}/system symbol package)
  package_items(${package} all)
  set(missing ${kept})
  list(REMOVE_ITEM missing ${all})
  if(missing)
    message(FATAL_ERROR "icu_data_package: ${SYSTEM_LIBRARY} lacks ${missing}")
  endif()
  set(removed ${all})
  list(REMOVE_ITEM removed ${kept})
  list(JOIN removed "\n" removed_text)
  file(WRITE ${WORK}/removed.txt "${removed_text}\n")
  get_filename_component(package_name ${package} NAME)
  set(cut_package ${WORK}/${package_name})
  # Without --ignore-deps icupkg refuses to drop an item a kept one needs.
  run(${ICUPKG} -r ${WORK}/removed.txt ${package} ${cut_package})
  file(REMOVE ${package})

  run(${OBJDUMP} -p ${SYSTEM_LIBRARY})
  if(NOT output MATCHES "SONAME +([^\n]+)")
    message(FATAL_ERROR "icu_data_package: ${SYSTEM_LIBRARY} has no soname")
  endif()
  set(soname ${CMAKE_MATCH_1})
  # ICU reads the package in place and wants it aligned to 16 bytes.
  file(WRITE ${WORK}/data.S
       ".section .note.GNU-stack,\"\",@progbits\n"
       ".section .rodata\n.balign 16\n.globl ${symbol}\n.type ${symbol}, @object\n"
       "${symbol}:\n.incbin \"${cut_package}\"\n.size ${symbol}, . - ${symbol}\n")
  run(${CC} -shared -nostdlib -Wl,-soname,${soname} -Wl,-z,noexecstack -o ${OUTPUT} ${WORK}/data.S)
  set(LIBRARY ${OUTPUT})
elseif(NOT MODE STREQUAL "check")
  message(FATAL_ERROR "icu_data_package: MODE is cut or check")
endif()

extract_package(${LIBRARY} ${WORK}/check symbol package)
package_items(${package} held)
if(NOT held STREQUAL kept)
  set(extra ${held})
  list(REMOVE_ITEM extra ${kept})
  set(missing ${kept})
  list(REMOVE_ITEM missing ${held})
  list(LENGTH extra extra_count)
  message(FATAL_ERROR "icu_data_package: ${LIBRARY} is not the cut-down ICU data: lacks [${missing}], "
                      "holds ${extra_count} more items")
endif()
