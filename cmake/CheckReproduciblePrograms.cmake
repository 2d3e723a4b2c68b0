# Builds the kit's Windows programs again in a second, fresh build folder and
# compares them byte for byte with the kit's: the programs may depend neither
# on the folder they are built in nor on the time of the build.
#
#   cmake -DSOURCE=<source folder> -DFOLDER=<second build folder>
#         -DBUILD_TYPE=<type> -DPROGRAMS=<kit programs> [-DLAUNCHER=ccache]
#         -P CheckReproduciblePrograms.cmake
#
# With a compiler launcher such as ccache the second build takes seconds:
# the compiler's inputs hold no build folder, so its results are reused.
foreach(required SOURCE FOLDER BUILD_TYPE PROGRAMS)
  if(NOT ${required})
    message(FATAL_ERROR "CheckReproduciblePrograms: ${required} is not set")
  endif()
endforeach()

set(launchers)
if(LAUNCHER)
  set(launchers -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
file(REMOVE_RECURSE ${FOLDER})
execute_process(
  COMMAND ${CMAKE_COMMAND} -G Ninja -S ${SOURCE} -B ${FOLDER}
          -DCMAKE_TOOLCHAIN_FILE=${SOURCE}/cmake/toolchain-mingw32.cmake
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DKEL_TESTS=OFF ${launchers}
  OUTPUT_QUIET RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "The second build folder ${FOLDER} could not be configured")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${FOLDER} --target Setup uninstall
                OUTPUT_QUIET RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "The programs could not be built in ${FOLDER}")
endif()

set(differing)
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  file(GLOB_RECURSE again ${FOLDER}/*/${name})
  list(FILTER again EXCLUDE REGEX "/CMakeFiles/")
  if(NOT again)
    message(FATAL_ERROR "${name} was not built in ${FOLDER}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${program} ${again} RESULT_VARIABLE same)
  if(same EQUAL 0)
    message(STATUS "${name}: the same from ${FOLDER}")
  else()
    list(APPEND differing ${name})
  endif()
endforeach()
file(REMOVE_RECURSE ${FOLDER})
if(differing)
  message(FATAL_ERROR "Not reproducible: ${differing} built in a second folder differ from the kit's")
endif()
