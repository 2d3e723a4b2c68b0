# Size of the shipped Windows programs.
#
# The Windows build is compiled for size (-Oz in Release, no run-time type
# information: TComponent::AsForm and its kin answer what dynamic_cast would)
# with every function and datum in a section of its own; the few hot loops ask for speed with
# kel_speed_critical. A shipped program is linked with
#
#   kel_product_program(<target> MAX_KB <limit>)
#
# which strips it, lets the linker drop the unreferenced sections, links the
# small replacements of the C++ runtime's terminate handler and throw helpers
# (platform/win32/SmallRuntime.cpp) and of the thread functions it needs
# (platform/win32/SmallThreads.cpp), writes the linker map <target>.map beside
# the program (what each object contributes), and checks the program after
# every link: the build fails when it is larger than the limit or needs a DLL
# of the toolchain's runtime. kel_add_program_size_tests() makes the same
# check a test of each program. Natively both do nothing.
set(KEL_PROGRAM_SIZE_CHECK ${CMAKE_CURRENT_LIST_DIR}/CheckProgramSize.cmake)

if(WIN32)
  add_compile_options(-ffunction-sections -fdata-sections $<$<CONFIG:Release>:-Oz>
                      $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  # Release builds optimise at link time across all libraries: the linker
  # then drops every function that nothing calls (the unwind tables of a
  # library's object otherwise keep all of them), and Setup.exe shrinks by a
  # sixth. The whole program is one partition: split into several, this
  # compiler fails on implicit constructors.
  add_compile_options($<$<CONFIG:Release>:-flto>)
  add_link_options($<$<CONFIG:Release>:-flto> $<$<CONFIG:Release>:-flto-partition=one>
                   $<$<CONFIG:Release>:-Oz>)
endif()

# The libraries of the shipped programs are each compiled as one translation
# unit in the Windows build: the compiler then shares inline code across the
# library's files, and the unwind tables hold one common entry per library
# instead of one per file (with the threads work, Setup.exe went from 409 to
# 394 KB). Without link-time optimisation (a Debug build) the linker keeps
# or drops an object as a whole, because its unwind table refers to every
# function in it; a file that another program needs alone is therefore kept
# out of the unit (SKIP_UNITY_BUILD_INCLUSION). Sources with options of their
# own (kel_speed_critical) stay apart.
function(kel_product_library)
  if(WIN32)
    set_target_properties(${ARGN} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  endif()
endfunction()

# The listed sources of the calling folder keep the speed optimisation:
# decoding, blending and checksum loops whose time the user sees.
function(kel_speed_critical)
  if(WIN32)
    set_property(SOURCE ${ARGN} APPEND PROPERTY COMPILE_OPTIONS $<$<CONFIG:Release>:-O2>)
  endif()
endfunction()

function(kel_product_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MAX_KB" "")
  if(NOT arg_MAX_KB MATCHES "^[0-9]+$")
    message(FATAL_ERROR "kel_product_program(${target}): MAX_KB needs a number of kilobytes")
  endif()
  if(NOT WIN32)
    return()
  endif()
  target_link_libraries(${target} PRIVATE kel_small_runtime)
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  # The limits hold for the optimised build only.
  if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DMAX_KB=${arg_MAX_KB}
              -DOBJDUMP=${CMAKE_OBJDUMP} -DREMOVE_ON_FAILURE=ON -P ${KEL_PROGRAM_SIZE_CHECK}
      VERBATIM)
    set_property(GLOBAL APPEND PROPERTY KEL_PRODUCT_PROGRAMS "${target}:${arg_MAX_KB}")
  endif()
endfunction()

function(kel_add_program_size_tests)
  get_property(programs GLOBAL PROPERTY KEL_PRODUCT_PROGRAMS)
  foreach(entry IN LISTS programs)
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 target)
    list(GET entry 1 limit)
    add_test(NAME program_size.${target}
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DMAX_KB=${limit}
              -DOBJDUMP=${CMAKE_OBJDUMP} -P ${KEL_PROGRAM_SIZE_CHECK})
  endforeach()
endfunction()
