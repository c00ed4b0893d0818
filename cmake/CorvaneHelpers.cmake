# Shared settings for every target of the project.

# Warnings are kept on the targets themselves (PRIVATE), so nothing leaks to users.
# CI turns them into errors, so a warning cannot land unseen.
function(corvane_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra
                         $<$<BOOL:${CORVANE_WARNINGS_AS_ERRORS}>:-Werror>)
endfunction()

# corvane_add_library(<subsystem> SOURCES ... [DEPS ...])
# Adds the static library corvane_<subsystem> with the alias corvane::<subsystem>.
# Headers are included as "<subsystem>/<file>.h" from src/.
function(corvane_add_library subsystem)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(target corvane_${subsystem})
  add_library(${target} STATIC ${ARG_SOURCES})
  add_library(corvane::${subsystem} ALIAS ${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  target_compile_features(${target} PUBLIC cxx_std_20)
  corvane_set_warnings(${target})
endfunction()

# corvane_discover_tests(<executable>)
# Registers the GoogleTest tests of an executable with CTest, in the fixed
# platform, zone and locale every test runs in, labelled with the
# executable's name so that a lane can pick the suites it checks (ctest -L).
function(corvane_discover_tests name)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC;LC_ALL=C.UTF-8" LABELS ${name})
endfunction()

# corvane_add_test(<name> SOURCES ... [DEPS ...])
# Adds a GoogleTest executable linked with the shared test support (main, temp
# folders) and registers its tests.
function(corvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE corvane_test_support ${ARG_DEPS})
  corvane_set_warnings(${name})
  corvane_discover_tests(${name})
endfunction()
