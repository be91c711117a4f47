# Fails when a file of the engine's search includes a folder above its own.
#
#   cmake -DSOURCE_DIR=<repository> -P tests/engine/SearchLayerCheck.cmake
#
# The folders of engine/search/, lowest first:
#   t9, stoptimetables  side by side: name matching by keypad digits, and stop timetables
#   results             the search request and its parameters, the stored results, their
#                       access and listings
#   connections         the connection search run, which fills the results
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SearchLayerCheck: pass -DSOURCE_DIR=<repository>")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/LayerRules.cmake)
trasa_check_layers(${SOURCE_DIR} engine/search
    t9+stoptimetables
    results
    connections)
