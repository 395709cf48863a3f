# Builds the sample page with the program's own command line: --publish writes
# the page and copies the pictures and sounds it names, and the browser script
# runtime, so the sample works without Java; the page becomes index.html
# beside them. The project file and the report stay behind.
# In: PROGRAM, SHARE_SRC, TEMPLATE, OUT (samples folder), WORK (scratch folder).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/site ${OUT})
set(env
  HOME=${WORK}/home XDG_DATA_HOME=${WORK}/home/data XDG_CONFIG_HOME=${WORK}/home/config
  XDG_CACHE_HOME=${WORK}/home/cache TMPDIR=${WORK} VANTREL_SHARE_DIR=${SHARE_SRC})

execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${PROGRAM} --script-runtime --publish ${TEMPLATE} --to ${WORK}/site
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed on ${TEMPLATE}: ${rc}")
endif()
get_filename_component(base ${TEMPLATE} NAME_WE)
file(SIZE ${WORK}/site/${base}.html size)
if(size EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} wrote an empty page for ${TEMPLATE}")
endif()
file(REMOVE ${WORK}/site/${base}.vtp ${WORK}/site/${base}_PublishReport.txt)
file(RENAME ${WORK}/site/${base}.html ${WORK}/site/index.html)

# Put the new files in place only once all of them exist.
file(GLOB produced RELATIVE ${WORK}/site ${WORK}/site/*)
foreach(f IN LISTS produced)
  file(COPY_FILE ${WORK}/site/${f} ${OUT}/${f}.tmp)
endforeach()
foreach(f IN LISTS produced)
  file(RENAME ${OUT}/${f}.tmp ${OUT}/${f})
endforeach()
file(REMOVE_RECURSE ${WORK})
