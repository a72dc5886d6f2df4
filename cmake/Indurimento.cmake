# Debian's hardening for an optimised build, as dpkg-buildflags gives it (all of it:
# fortified functions, stack protection, read-only relocations bound at start-up,
# position-independent executables), so that the package carries what Debian's own
# packages carry. Sanitizer and debug builds keep their own flags.
set(SKARVEX_TIPI_OTTIMIZZATI Release RelWithDebInfo MinSizeRel)
if(NOT SKARVEX_SANITIZE AND CMAKE_BUILD_TYPE IN_LIST SKARVEX_TIPI_OTTIMIZZATI)
  set(SKARVEX_INDURIMENTO_PREDEFINITO ON)
else()
  set(SKARVEX_INDURIMENTO_PREDEFINITO OFF)
endif()
option(SKARVEX_INDURIMENTO "Build with Debian's hardening flags (dpkg-buildflags)"
       ${SKARVEX_INDURIMENTO_PREDEFINITO})
find_program(SKARVEX_DPKG_BUILDFLAGS dpkg-buildflags)
if(SKARVEX_INDURIMENTO AND SKARVEX_DPKG_BUILDFLAGS)
  foreach(variabile CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${SKARVEX_DPKG_BUILDFLAGS} --get ${variabile}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE SKARVEX_${variabile} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  string(APPEND CMAKE_CXX_FLAGS " ${SKARVEX_CPPFLAGS} ${SKARVEX_CXXFLAGS}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${SKARVEX_LDFLAGS}")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${SKARVEX_LDFLAGS}")
endif()
