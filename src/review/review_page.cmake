# Compiles the review's page into the zorvez library (cmake/embed_page.cmake,
# as the explorer page is, whose file this one follows in src/).
set(ZOR_REVIEW_DIR ${CMAKE_CURRENT_SOURCE_DIR}/review)
set(ZOR_REVIEW_HEADER ${CMAKE_CURRENT_BINARY_DIR}/generated/review/review_page_data.h)
# The script's parts in the order they run: what it shares with the
# explorer page, its plain logic (which Node's tests load as it is), the
# view, then the page that starts it all.
set(ZOR_REVIEW_SCRIPT_FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/explore/page/page_dom.js
    ${ZOR_REVIEW_DIR}/page/review_lines.js ${ZOR_REVIEW_DIR}/page/review_items.js
    ${ZOR_REVIEW_DIR}/page/review_api.js ${CMAKE_CURRENT_SOURCE_DIR}/explore/page/key_legend.js
    ${ZOR_REVIEW_DIR}/page/review_panel.js ${ZOR_REVIEW_DIR}/page/review_apply.js
    ${ZOR_REVIEW_DIR}/page/review_page.js)
string(JOIN "," ZOR_REVIEW_SCRIPT_LIST ${ZOR_REVIEW_SCRIPT_FILES})
add_custom_command(
  OUTPUT ${ZOR_REVIEW_HEADER}
  COMMAND ${CMAKE_COMMAND} -DHTML=${ZOR_REVIEW_DIR}/review_page.html
          -DCSS=${ZOR_REVIEW_DIR}/review_page.css -DSCRIPT_FILES=${ZOR_REVIEW_SCRIPT_LIST}
          -DMARKERS=@STYLE@,@SCRIPT@ -DNAMESPACE=review_page_data
          -DGUARD=ZOR_REVIEW_REVIEW_PAGE_DATA_H_ -DOUTPUT=${ZOR_REVIEW_HEADER} -P ${ZOR_EMBED_PAGE}
  DEPENDS ${ZOR_EMBED_PAGE} ${ZOR_REVIEW_DIR}/review_page.html
          ${ZOR_REVIEW_DIR}/review_page.css ${ZOR_REVIEW_SCRIPT_FILES}
  COMMENT "Embedding the review's page"
  VERBATIM)
add_custom_target(zor_review_page DEPENDS ${ZOR_REVIEW_HEADER})
add_dependencies(zorvez zor_review_page)
