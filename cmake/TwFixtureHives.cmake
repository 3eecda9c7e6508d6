# The real hives of tests/fixtures/hives unpacked once per build (target tw_fixture_hives), for
# the tests and timings that open them as a user does: the window over evidence, natively and
# under Wine. TW_HIVE_DIR is their folder as the build's programs name it. Users copy what they
# use into a folder of their own.
set(TW_HIVE_BUILD_DIR ${CMAKE_BINARY_DIR}/fixtures/hives)
set(TW_UNPACKED_HIVES)
foreach(hive IN ITEMS NTUSER.DAT SYSTEM transactions_NTUSER.DAT transactions_ntuser.dat.log1
                      transactions_ntuser.dat.log2 amcache.hve)
  add_custom_command(OUTPUT ${TW_HIVE_BUILD_DIR}/${hive}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TW_HIVE_BUILD_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/tests/fixtures/hives/${hive}.xz
            ${TW_HIVE_BUILD_DIR}/${hive}.xz
    COMMAND xz -d -f ${TW_HIVE_BUILD_DIR}/${hive}.xz
    DEPENDS ${PROJECT_SOURCE_DIR}/tests/fixtures/hives/${hive}.xz
    VERBATIM)
  list(APPEND TW_UNPACKED_HIVES ${TW_HIVE_BUILD_DIR}/${hive})
endforeach()
add_custom_target(tw_fixture_hives DEPENDS ${TW_UNPACKED_HIVES})
if(CMAKE_CROSSCOMPILING)
  set(TW_HIVE_DIR "Z:${TW_HIVE_BUILD_DIR}")
else()
  set(TW_HIVE_DIR "${TW_HIVE_BUILD_DIR}")
endif()
