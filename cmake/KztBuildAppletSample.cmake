# Builds an applet builder's sample page with the program's own command line:
# --publish writes the page and copies the files its items name and the
# browser script runtime, so the sample works without Java; the page becomes
# PAGE beside them. The project file and the report stay behind.
# In: PROGRAM, PRODUCT, EXTENSION (of its projects), SHARE_SRC, TEMPLATE,
#     OUT (samples folder), PAGE, WORK (scratch folder).
include(${CMAKE_CURRENT_LIST_DIR}/KztWholePage.cmake)
string(TOUPPER ${PRODUCT} upper)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/site ${OUT})
set(env
  HOME=${WORK}/home XDG_DATA_HOME=${WORK}/home/data XDG_CONFIG_HOME=${WORK}/home/config
  XDG_CACHE_HOME=${WORK}/home/cache TMPDIR=${WORK} ${upper}_SHARE_DIR=${SHARE_SRC})

execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} --script-runtime --publish ${TEMPLATE} --to ${WORK}/site
  WORKING_DIRECTORY ${WORK} OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed on ${TEMPLATE}: ${rc}")
endif()
get_filename_component(base ${TEMPLATE} NAME_WE)
file(SIZE ${WORK}/site/${base}.html size)
if(size EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} wrote an empty page for ${TEMPLATE}")
endif()
file(REMOVE ${WORK}/site/${base}.${EXTENSION} ${WORK}/site/${base}_PublishReport.txt)
file(RENAME ${WORK}/site/${base}.html ${WORK}/site/${PAGE})
kzt_whole_page(${WORK}/site/${PAGE})

# Put the new files in place only once all of them exist.
file(GLOB made RELATIVE ${WORK}/site ${WORK}/site/*)
foreach(f IN LISTS made)
  file(COPY_FILE ${WORK}/site/${f} ${OUT}/${f}.tmp)
endforeach()
foreach(f IN LISTS made)
  file(RENAME ${OUT}/${f}.tmp ${OUT}/${f})
endforeach()
file(REMOVE_RECURSE ${WORK})
