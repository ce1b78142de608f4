# The page as an app: the web app manifest and its icons, the service worker that keeps this
# version's files for offline use, and the site's install rules (the archive of cpack --preset
# web). Included at the end of web/CMakeLists.txt, whose list of site files it reads.
set(app_files)
coilcalc_copy_site_files(app_files offline.js manifest.webmanifest)
add_custom_command(OUTPUT ${COILCALC_SITE}/icon-192.png ${COILCALC_SITE}/icon-512.png
                   COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/make_icons.py
                           192:${COILCALC_SITE}/icon-192.png 512:${COILCALC_SITE}/icon-512.png
                   DEPENDS make_icons.py)
list(APPEND app_files ${COILCALC_SITE}/icon-192.png ${COILCALC_SITE}/icon-512.png)

# Everything the page loads, as the service worker keeps it.
set(kept ${site_files} ${app_files} ${COILCALC_SITE}/coilcalc-engine.js
         ${COILCALC_SITE}/coilcalc-engine.wasm)
set(kept_names)
foreach(file IN LISTS kept)
  file(RELATIVE_PATH name ${COILCALC_SITE} ${file})
  list(APPEND kept_names ${name})
endforeach()
list(JOIN kept_names "," kept_argument)
add_custom_command(OUTPUT ${COILCALC_SITE}/sw.js
                   COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${CMAKE_CURRENT_SOURCE_DIR}/site/sw.js.in
                           -DOUTPUT=${COILCALC_SITE}/sw.js -DVERSION=${PROJECT_VERSION}
                           -DSITE=${COILCALC_SITE} "-DFILES=${kept_argument}"
                           -P ${CMAKE_CURRENT_SOURCE_DIR}/make_service_worker.cmake
                   DEPENDS ${site_files} ${app_files} coilcalc-engine site/sw.js.in
                           make_service_worker.cmake
                   VERBATIM)
add_custom_target(coilcalc-app ALL DEPENDS ${COILCALC_SITE}/sw.js ${app_files})

# Each file in its folder of the site, as the page refers to it.
foreach(name IN LISTS kept_names ITEMS sw.js)
  get_filename_component(folder ${name} DIRECTORY)
  if(NOT folder)
    set(folder .)
  endif()
  install(FILES ${COILCALC_SITE}/${name} DESTINATION ${folder})
endforeach()

# The page offline after one visit, its next version after an update, and on a phone's screen.
add_test(NAME web_offline
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/tests/offline_test.py
                 --site ${COILCALC_SITE})
set_tests_properties(web_offline PROPERTIES TIMEOUT 300)
