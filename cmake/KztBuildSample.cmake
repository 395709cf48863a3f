# Builds a sample page with the program's own command line.
# In: PROGRAM, PRODUCT (dulcamon or kestravo), SHARE_SRC, TEMPLATE, OUT (samples folder),
#     PAGE (file name of the page in OUT), WORK (scratch folder).
# dulcamon: --build-html gives the page; the runtime script goes beside it.
# kestravo: --publish writes the page with its style sheet and script; the page is renamed.
include(${CMAKE_CURRENT_LIST_DIR}/KztWholePage.cmake)
string(TOUPPER ${PRODUCT} upper)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/site ${OUT})
set(env
  HOME=${WORK}/home XDG_DATA_HOME=${WORK}/home/data XDG_CONFIG_HOME=${WORK}/home/config
  XDG_CACHE_HOME=${WORK}/home/cache QT_QPA_PLATFORM=offscreen ${upper}_SHARE_DIR=${SHARE_SRC})

if(PRODUCT STREQUAL "dulcamon")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} --build-html ${TEMPLATE}
    WORKING_DIRECTORY ${WORK} OUTPUT_FILE ${WORK}/site/page.html RESULT_VARIABLE rc)
  set(runtime dulcamon10.js)
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} --publish ${TEMPLATE} --to ${WORK}/site
    WORKING_DIRECTORY ${WORK} OUTPUT_QUIET RESULT_VARIABLE rc)
  get_filename_component(base ${TEMPLATE} NAME_WE)
  file(RENAME ${WORK}/site/${base}.html ${WORK}/site/page.html)
  set(runtime brevanekvrst.js brevanekvrst.css)
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed on ${TEMPLATE}: ${rc}")
endif()
file(SIZE ${WORK}/site/page.html size)
if(size EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} wrote an empty page for ${TEMPLATE}")
endif()
kzt_whole_page(${WORK}/site/page.html)

# Put the new files in place only once all of them exist.
foreach(f IN LISTS runtime)
  if(EXISTS ${WORK}/site/${f})
    file(COPY_FILE ${WORK}/site/${f} ${OUT}/${f}.tmp)
  else()
    file(COPY_FILE ${SHARE_SRC}/${f} ${OUT}/${f}.tmp)
  endif()
endforeach()
file(COPY_FILE ${WORK}/site/page.html ${OUT}/${PAGE}.tmp)
foreach(f IN LISTS runtime PAGE)
  file(RENAME ${OUT}/${f}.tmp ${OUT}/${f})
endforeach()
file(REMOVE_RECURSE ${WORK})
