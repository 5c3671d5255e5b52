# Hands a library's sources (the list in `variable`), with their full paths and
# any further ones given, to the scope above its folder: the fuzz target and
# the benchmark compile them with flags of their own. A macro, so that
# PARENT_SCOPE is the folder's parent.
macro(share_sources variable)
  list(TRANSFORM ${variable} PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE _shared_sources)
  set(${variable} ${_shared_sources} ${ARGN} PARENT_SCOPE)
endmacro()
