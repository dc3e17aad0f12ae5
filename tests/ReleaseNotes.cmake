# SPDX-License-Identifier: MIT
# The version lives in the top CMakeLists.txt alone; the changelog and the
# metainfo keep a history, whose newest entry must be that version, or a
# package would ship notes for another release.
#   cmake -DVERSION=x.y.z -DSOURCE=<source tree> -P ReleaseNotes.cmake
file(STRINGS ${SOURCE}/resources/changelog changelog LIMIT_COUNT 1)
if(NOT changelog MATCHES "^huemix \\(${VERSION}\\) ")
  message(FATAL_ERROR "resources/changelog starts with '${changelog}', want version ${VERSION}")
endif()
file(READ ${SOURCE}/resources/desktop/org.example.Huemix.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"[^\"]*\"" newest "${metainfo}")
if(NOT newest STREQUAL "<release version=\"${VERSION}\"")
  message(FATAL_ERROR "the metainfo's newest release is ${newest}, want version ${VERSION}")
endif()
