# Run last by ctest: the suite's temporary folder must be as the first test found it, empty.
# What a test left there is listed and kept (a failing test keeps its folder on purpose, to be
# looked at); an empty folder is removed.
# Qt makes its runtime folder (runtime-<user>) there when XDG_RUNTIME_DIR is not set, and so does
# the stand-in for its named events and mutexes (kalmeno-events-<user>; a program ended as by a
# power loss leaves its objects' files there, as the stand-in documents): those are the system's,
# not a test's.
file(GLOB qt_runtime LIST_DIRECTORIES true "${FOLDER}/runtime-*" "${FOLDER}/kalmeno-events-*")
if(qt_runtime)
  file(REMOVE_RECURSE ${qt_runtime})
endif()
file(GLOB left LIST_DIRECTORIES true "${FOLDER}/*" "${FOLDER}/.*")
if(left)
  list(JOIN left "\n  " listed)
  message(FATAL_ERROR "the tests left behind in ${FOLDER}:\n  ${listed}")
endif()
file(REMOVE_RECURSE "${FOLDER}")
