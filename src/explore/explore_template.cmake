# Compiles the explorer page's template files into the zorvez library (see
# cmake/embed_page.cmake); editing one of them rebuilds the header.
set(ZOR_EXPLORE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/explore)
set(ZOR_EXPLORE_HEADER ${CMAKE_CURRENT_BINARY_DIR}/generated/explore/explore_template_data.h)
set(ZOR_EMBED_PAGE ${PROJECT_SOURCE_DIR}/cmake/embed_page.cmake)
# The page's script, in the order it runs: the review's logic (which Node's
# tests load as it is), then the view, then the page that starts it all.
set(ZOR_EXPLORE_SCRIPT_PARTS
    review_model.js review_decisions.js decision_entries.js decisions_file.js export_rows.js list_filter.js
    page_dom.js key_legend.js list_view.js detail_view.js review_view.js explore_page.js)
list(TRANSFORM ZOR_EXPLORE_SCRIPT_PARTS PREPEND ${ZOR_EXPLORE_DIR}/page/
     OUTPUT_VARIABLE ZOR_EXPLORE_SCRIPT_FILES)
string(JOIN "," ZOR_EXPLORE_SCRIPT_LIST ${ZOR_EXPLORE_SCRIPT_FILES})
add_custom_command(
  OUTPUT ${ZOR_EXPLORE_HEADER}
  COMMAND ${CMAKE_COMMAND} -DHTML=${ZOR_EXPLORE_DIR}/explore_page.html
          -DCSS=${ZOR_EXPLORE_DIR}/explore_page.css -DSCRIPT_FILES=${ZOR_EXPLORE_SCRIPT_LIST}
          -DMARKERS=@CSP@,@STYLE@,@INDEX@,@SCRIPT@,@CHUNKS@ -DNAMESPACE=explore_template_data
          -DGUARD=ZOR_EXPLORE_TEMPLATE_DATA_H_ -DOUTPUT=${ZOR_EXPLORE_HEADER} -P ${ZOR_EMBED_PAGE}
  DEPENDS ${ZOR_EMBED_PAGE} ${ZOR_EXPLORE_DIR}/explore_page.html
          ${ZOR_EXPLORE_DIR}/explore_page.css ${ZOR_EXPLORE_SCRIPT_FILES}
  COMMENT "Embedding the explorer page template"
  VERBATIM)
# One target owns the header, so that every library compiled from these
# sources (the fuzz build's too) waits for it without racing to make it.
add_custom_target(zor_explore_template DEPENDS ${ZOR_EXPLORE_HEADER})
add_dependencies(zorvez zor_explore_template)
target_include_directories(zorvez PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
