# The Windows build's tests run under wine, in a prefix of the build tree's
# own. One wine server, started before them and stopped after, spares each
# test the server's start-up.
find_program(WINESERVER NAMES wineserver PATHS /usr/lib/wine REQUIRED)
set(wine_prefix "${CMAKE_BINARY_DIR}/wine")
set(wine_environment "WINEPREFIX=${wine_prefix}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")

foreach(action IN ITEMS start stop)
    add_test(NAME wine.${action}
             COMMAND ${CMAKE_COMMAND} -DACTION=${action} "-DWINESERVER=${WINESERVER}"
                     "-DWINE64=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DPREFIX=${wine_prefix}"
                     "-DLOG=${CMAKE_BINARY_DIR}/wine-${action}.log" -P "${CMAKE_CURRENT_SOURCE_DIR}/wine_fixture.cmake")
    set_tests_properties(wine.${action} PROPERTIES TIMEOUT 120 ENVIRONMENT "${wine_environment}")
endforeach()
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
