# Read by CPack: before each generator (CPACK_PROJECT_CONFIG_FILE), and after
# it with CPACK_PACKAGE_FILES set (CPACK_POST_BUILD_SCRIPTS).
#
# Before: every archive member gets the time of the last commit, unless
# SOURCE_DATE_EPOCH names another.
if(NOT DEFINED CPACK_PACKAGE_FILES)
    if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
        execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CPACK_BEADSORT_SOURCE_DIR}"
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(epoch)
            set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
        endif()
    endif()
    return()
endif()

# After: the members of each archive stand in the order of their names, not
# in the order the file system lists them, so that the same commit gives the
# same bytes on any machine. The Debian package is in order already.
set(tar_time)
set(zip_time)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(tar_time "--mtime=@$ENV{SOURCE_DATE_EPOCH}")
    set(zip_time --timestamp "$ENV{SOURCE_DATE_EPOCH}")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.tar\\.gz$")
        set(unpacked "${CPACK_TOPLEVEL_DIRECTORY}/sorted")
        file(REMOVE_RECURSE "${unpacked}")
        file(MAKE_DIRECTORY "${unpacked}")
        execute_process(COMMAND tar -xpf "${package}" -C "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
        file(GLOB folder RELATIVE "${unpacked}" "${unpacked}/*")
        execute_process(
            COMMAND tar --sort=name --format=gnu ${tar_time} --owner=0 --group=0
                    --numeric-owner -C "${unpacked}" -cf - ${folder}
            COMMAND gzip -9 -n
            OUTPUT_FILE "${package}" COMMAND_ERROR_IS_FATAL ANY)
    elseif(package MATCHES "\\.zip$")
        find_program(STRIP_NONDETERMINISM strip-nondeterminism)
        if(NOT STRIP_NONDETERMINISM)
            message(FATAL_ERROR "${package}: strip-nondeterminism is needed to put the members in order")
        endif()
        execute_process(COMMAND "${STRIP_NONDETERMINISM}" ${zip_time} "${package}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()

# Then SHA256SUMS beside the packages, as sha256sum -c reads it; a package of
# an earlier generator of the same run keeps its line. The External generator
# writes its metadata, NAME.json, beside its packages; it is not one.
set(sums "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS")
set(lines)
if(EXISTS "${sums}")
    file(STRINGS "${sums}" lines)
endif()
set(packages ${CPACK_PACKAGE_FILES})
list(FILTER packages EXCLUDE REGEX "/${CPACK_PACKAGE_FILE_NAME}\\.json$")
foreach(package IN LISTS packages)
    get_filename_component(name "${package}" NAME)
    file(SHA256 "${package}" hash)
    list(FILTER lines EXCLUDE REGEX "  ${name}$")
    list(APPEND lines "${hash}  ${name}")
endforeach()
list(JOIN lines "\n" text)
file(WRITE "${sums}" "${text}\n")
