# A generated page is a snippet for the author's own page; a shipped sample is a page of its
# own, opened as it is on any screen: it gets a document type, its encoding (unless the
# generator already wrote it) and a viewport, so that phones show it at its own size.
function(kzt_whole_page page)
  file(READ ${page} text)
  set(head "<!DOCTYPE html>\r\n<HTML>\r\n")
  if(NOT text MATCHES "<meta charset=")
    string(APPEND head "<meta charset=\"utf-8\">\r\n")
  endif()
  string(APPEND head "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n")
  string(REGEX REPLACE "^<HTML>\r?\n" "${head}" whole "${text}")
  if(whole STREQUAL text)
    message(FATAL_ERROR "${page} does not start with <HTML>")
  endif()
  file(WRITE ${page} "${whole}")
endfunction()
