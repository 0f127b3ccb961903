# clang-tidy and cppcheck over the program's own sources, findings as errors.
function(beadsort_lint target)
    if(NOT BEADSORT_LINT)
        return()
    endif()
    find_program(CLANG_TIDY_EXE NAMES clang-tidy REQUIRED)
    find_program(CPPCHECK_EXE NAMES cppcheck REQUIRED)
    set_target_properties(
        ${target}
        PROPERTIES CXX_CLANG_TIDY "${CLANG_TIDY_EXE};--warnings-as-errors=*"
                   CXX_CPPCHECK
                   "${CPPCHECK_EXE};--enable=warning,style,performance,portability;--std=c++20;--inline-suppr;--error-exitcode=1;--quiet")
endfunction()
