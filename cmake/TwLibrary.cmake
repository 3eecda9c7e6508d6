# tw_library(name sources...): one folder of src/ as a static library; includes are rooted at
# src/ ("runtime/strings.h"). Shared by the main build, the host tools and the fuzz build.
function(tw_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${TW_SOURCE_DIR}/src)
endfunction()
