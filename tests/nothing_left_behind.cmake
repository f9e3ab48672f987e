# Run last by ctest: the suite's temporary folder must be as the first test found it, empty.
# What a test left there is listed and kept (a failing test keeps its folder on purpose, to be
# looked at); an empty folder is removed.
# Qt makes its runtime folder (runtime-<user>) there when XDG_RUNTIME_DIR is not set: that one is
# the toolkit's, not a test's.
file(GLOB qt_runtime LIST_DIRECTORIES true "${FOLDER}/runtime-*")
if(qt_runtime)
  file(REMOVE_RECURSE ${qt_runtime})
endif()
file(GLOB left LIST_DIRECTORIES true "${FOLDER}/*" "${FOLDER}/.*")
if(left)
  list(JOIN left "\n  " listed)
  message(FATAL_ERROR "the tests left behind in ${FOLDER}:\n  ${listed}")
endif()
file(REMOVE_RECURSE "${FOLDER}")
