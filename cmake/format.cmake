# Checks of the sources that the lint preset builds. format-check fails where
# a C++ source is not laid out as .clang-format says; eslint-check where the
# JavaScript breaks one of ESLint's recommended rules (eslint.config.mjs),
# with the ESLint that npm ci installs.
file(GLOB sources RELATIVE "${PROJECT_SOURCE_DIR}" CONFIGURE_DEPENDS src/*/*.?pp tests/*.?pp bench/*.cpp fuzz/*.cpp
     web/*.cpp)
add_custom_target(format-check COMMAND clang-format --dry-run --Werror ${sources}
                  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}" VERBATIM)

if(BEADSORT_LINT)
    include(cmake/tools.cmake)
    beadsort_require(NODE node nodejs)
    set(eslint "${PROJECT_SOURCE_DIR}/node_modules/eslint/bin/eslint.js")
    if(NOT EXISTS "${eslint}")
        message(FATAL_ERROR "ESLint not found: install npm, then run npm ci")
    endif()
    add_custom_target(eslint-check COMMAND "${NODE}" "${eslint}" --max-warnings 0 .
                      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}" VERBATIM)
endif()
