# The release as packaging/changelog records it: its newest entry names the package's version and
# the day it was made. That day dates the manual page and every file of the package
# (SOURCE_DATE_EPOCH), so two builds of one release give the same package whenever they are made.
#
#   VELTAMAR_PACKAGE_RELEASE   the Debian revision (1 in 1.0-1)
#   VELTAMAR_RELEASE_DATE      2026-12-10
#   VELTAMAR_RELEASE_EPOCH     seconds since 1970 of the entry's time
#   VELTAMAR_MAINTAINER        the entry's signer, "Name <address>"

set(VELTAMAR_CHANGELOG ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELTAMAR_CHANGELOG})
file(STRINGS ${VELTAMAR_CHANGELOG} heading LIMIT_COUNT 1)
file(STRINGS ${VELTAMAR_CHANGELOG} trailer REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX MATCH "^veltamar \\(([^)-]+)-([^)]+)\\) " version "${heading}")
if(NOT version)
    message(FATAL_ERROR "packaging/changelog: the newest entry does not begin 'veltamar (<version>-<revision>) '")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog is for version ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
set(VELTAMAR_PACKAGE_RELEASE ${CMAKE_MATCH_2})
string(REGEX MATCH "^ -- (.+>)  (.+)$" signature "${trailer}")
if(NOT signature)
    message(FATAL_ERROR "packaging/changelog: the newest entry has no ' -- Name <address>  date' line")
endif()
set(VELTAMAR_MAINTAINER "${CMAKE_MATCH_1}")
set(entry_time "${CMAKE_MATCH_2}")
execute_process(COMMAND date -u -d "${entry_time}" +%s OUTPUT_VARIABLE VELTAMAR_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "packaging/changelog: '${entry_time}' is not a date")
endif()
execute_process(COMMAND date -u -d "@${VELTAMAR_RELEASE_EPOCH}" +%Y-%m-%d OUTPUT_VARIABLE VELTAMAR_RELEASE_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE)
