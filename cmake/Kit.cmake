# The kit vendors install: kelpack, the Windows programs (Setup.exe,
# uninstall.exe) and the sample project with the default skin and the
# sample product's program. In the build tree they lie beside kelpack, where
# it looks for them; installed, kelpack is bin/kelpack and the rest lies in
# share/kelpack.
#
# A native build takes the Windows programs from a Windows build: by default
# one it makes itself with the mingw toolchain (KEL_WIN32_EXTERNAL), or else
# the existing one in KEL_WIN32_BUILD_DIR, so that a tree that builds both
# does not build the Windows programs twice.
include(GNUInstallDirs)
set(KEL_KIT_DIR ${CMAKE_BINARY_DIR}/tools/kelpack)

if(WIN32)
  set(KEL_KIT_PROGRAMS $<TARGET_FILE:Setup> $<TARGET_FILE:uninstall>)
  set(KEL_KIT_PRODUCT $<TARGET_FILE:LarkNotes>)
  set(KEL_KIT_DEPENDS Setup uninstall LarkNotes)
else()
  if(KEL_SANITIZE OR KEL_FUZZ)
    set(kel_external_default OFF)
  else()
    set(kel_external_default ON)
  endif()
  option(KEL_WIN32_EXTERNAL "Build the kit's Windows programs here, with the mingw toolchain" ${kel_external_default})
  set(KEL_WIN32_BUILD_DIR "${CMAKE_SOURCE_DIR}/build/win32" CACHE PATH
      "An existing Windows build: the end-to-end tests run its programs, and without KEL_WIN32_EXTERNAL the kit takes them")
  if(KEL_WIN32_EXTERNAL)
    include(ExternalProject)
    set(kel_programs_dir ${CMAKE_BINARY_DIR}/win32-programs)
    set(kel_launchers)
    foreach(language C CXX)
      if(CMAKE_${language}_COMPILER_LAUNCHER)
        list(APPEND kel_launchers -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
      endif()
    endforeach()
    ExternalProject_Add(kel_win32_programs
      SOURCE_DIR ${CMAKE_SOURCE_DIR}
      BINARY_DIR ${kel_programs_dir}
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw32.cmake
                 -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DKEL_TESTS=OFF ${kel_launchers}
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target Setup uninstall LarkNotes
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON)
    set(KEL_KIT_DEPENDS kel_win32_programs)
  else()
    set(kel_programs_dir ${KEL_WIN32_BUILD_DIR})
    set(KEL_KIT_DEPENDS)
  endif()
  set(KEL_KIT_PROGRAMS ${kel_programs_dir}/app/Setup.exe ${kel_programs_dir}/uninstall/uninstall.exe)
  set(KEL_KIT_PRODUCT ${kel_programs_dir}/samples/larknotes/LarkNotes.exe)
endif()

# Copies the programs and the sample project (completed with the sample
# product's program) beside kelpack on every build: cheap, and never stale.
add_custom_target(kelpack_kit ALL
  COMMAND ${CMAKE_COMMAND} "-DKIT=${KEL_KIT_DIR}" "-DPROGRAMS=${KEL_KIT_PROGRAMS}" "-DPRODUCT=${KEL_KIT_PRODUCT}"
          "-DSAMPLE=${CMAKE_SOURCE_DIR}/samples/setup" -P ${CMAKE_SOURCE_DIR}/cmake/AssembleKit.cmake
  COMMENT "Placing the Windows programs and the sample project beside kelpack"
  VERBATIM)
if(KEL_KIT_DEPENDS)
  add_dependencies(kelpack_kit ${KEL_KIT_DEPENDS})
endif()
add_dependencies(kelpack_kit kelpack)

install(TARGETS kelpack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KEL_KIT_DIR}/Setup.exe ${KEL_KIT_DIR}/uninstall.exe DESTINATION ${CMAKE_INSTALL_DATADIR}/kelpack)
install(DIRECTORY ${KEL_KIT_DIR}/sample DESTINATION ${CMAKE_INSTALL_DATADIR}/kelpack)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelpack)

# The Debian package of the kit: cpack -G DEB.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelpack)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kelpack maintainers <kelpack@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Builds skinned, ready-to-ship Windows setups on Linux")
set(CPACK_PACKAGE_DESCRIPTION
    "kelpack packs payload archives and turns setup projects into ready-to-ship setup folders "
    "(Setup.exe and Data.Kel). The kit holds the Windows wizard, the product's uninstaller and a "
    "sample project with the default skin.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS osslsigncode)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
set(CPACK_STRIP_FILES ON)
include(CPack)
