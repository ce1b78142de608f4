# End-to-end tests of the About box and the context help, and the storm of random user
# actions. Included from CMakeLists.txt of this folder.

# The program with test hooks (test_hooks.cpp): help requests on any control id.
coilcalc_add_program(coilcalc_hooked ${CMAKE_CURRENT_SOURCE_DIR}/test_hooks.cpp)

add_executable(coilcalc_help_e2e_tests help_e2e_test.cpp)
target_include_directories(coilcalc_help_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/calc
                                                           ${PROJECT_SOURCE_DIR}/tests/help)
target_link_libraries(coilcalc_help_e2e_tests PRIVATE coilcalc_e2e_driver GTest::gtest_main)
add_dependencies(coilcalc_help_e2e_tests coilcalc coilcalc_hooked)

coilcalc_add_e2e_test(e2e.help DRIVER coilcalc_help_e2e_tests PROGRAM coilcalc FILTER "Help.*")
coilcalc_add_e2e_test(e2e.help_hooked DRIVER coilcalc_help_e2e_tests PROGRAM coilcalc_hooked
                      FILTER "HelpHooked.*")

add_executable(coilcalc_storm_tests storm_test.cpp)
target_link_libraries(coilcalc_storm_tests PRIVATE coilcalc_e2e_driver coilcalc_help_texts
                                                   GTest::gtest_main)
add_dependencies(coilcalc_storm_tests coilcalc)

# The short storm; scripts/storm.sh runs long ones.
coilcalc_add_e2e_test(e2e.storm DRIVER coilcalc_storm_tests PROGRAM coilcalc FILTER "Storm.*")
