# Libraries a Windows program imports on first use instead of at its start.
#
#   kel_delay_imports(<target> <library>...)      e.g. shell32 ole32 oleaut32
#
# Windows loads every imported library, with the libraries it imports in
# turn, before the program's first line runs; the shell, COM and automation
# libraries cost a setup tens of milliseconds before its first window while
# it needs them only later. For each library this makes a delay-import
# library from the toolchain's import library (every function it names) and
# links it instead of the system's, so that each call goes through a slot that
# the first call fills (platform/win32/DelayedImports.cpp loads the library
# from the system folder then). Natively it does nothing.
function(kel_delay_imports target)
  if(NOT WIN32)
    return()
  endif()
  # The delay-import libraries carry the system libraries' own names in a
  # folder that the target's linker searches first, so that every "-l"
  # of them, wherever it stands on the link line, takes the delayed one.
  set(folder ${CMAKE_BINARY_DIR}/delayed-imports/lib)
  target_link_directories(${target} BEFORE PRIVATE ${folder})
  foreach(library IN LISTS ARGN)
    set(delayed ${folder}/lib${library}.a)
    get_property(made GLOBAL PROPERTY KEL_DELAYED_${library})
    if(NOT made)
      kel_make_delayed_library(${library} ${delayed})
      set_property(GLOBAL PROPERTY KEL_DELAYED_${library} ON)
    endif()
    target_link_libraries(${target} PRIVATE ${library})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${delayed})
    add_dependencies(${target} kel_delayed_${library})
  endforeach()
endfunction()

# The functions of the import library as a module-definition file (with
# their stack sizes, imported by their plain names) and the delay-import
# library made from it.
function(kel_make_delayed_library library output)
  find_file(import_library lib${library}.a PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH NO_CACHE)
  if(NOT import_library)
    message(FATAL_ERROR "kel_delay_imports: no import library lib${library}.a")
  endif()
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_library}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "kel_delay_imports: ${CMAKE_NM} cannot read ${import_library}")
  endif()
  # Import slots of stdcall functions read "__imp__Name@N"; data and the
  # few cdecl functions stay with the system's import library.
  string(REGEX MATCHALL "__imp__[A-Za-z0-9_]+@[0-9]+" slots "${symbols}")
  list(REMOVE_DUPLICATES slots)
  list(SORT slots)
  list(TRANSFORM slots REPLACE "^__imp__" "")
  list(JOIN slots "\n" exports)
  set(def ${CMAKE_BINARY_DIR}/delayed-imports/${library}.def)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayed-imports/lib)
  file(WRITE ${def}.new "LIBRARY ${library}.dll\nEXPORTS\n${exports}\n")
  file(COPY_FILE ${def}.new ${def} ONLY_IF_DIFFERENT)
  file(REMOVE ${def}.new)
  # dlltool names the library's symbols after the output's path as given:
  # a bare name keeps the build folder out of them.
  get_filename_component(name ${output} NAME)
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --dllname ${library}.dll
            --temp-prefix ${library}-delayed --output-delaylib ${name}
    DEPENDS ${def}
    WORKING_DIRECTORY ${folder}
    COMMENT "Delay-import library of ${library}"
    VERBATIM)
  add_custom_target(kel_delayed_${library} DEPENDS ${output})
endfunction()
