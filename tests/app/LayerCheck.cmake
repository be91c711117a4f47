# Fails when a file of the program includes a folder above its own layer.
#
#   cmake -DSOURCE_DIR=<repository> -P tests/app/LayerCheck.cmake
#
# The layers of app/, lowest first; each may include only itself and the layers before it:
#   core                  what the program knows and does without a window
#   shell                 the building blocks of every view
#   screens/progress      the progress view with the loading, search and download threads
#   screens/options, screens/data, screens/stoptimetables, screens/navigation
#                         side by side, none including another: the options dialog and the
#                         wizard, the data views, the stop timetables, the walking navigation.
#                         They open one another (the options the data views, say) by switching
#                         views through the shell, never by including each other.
#   screens/search        the journey-search screens (they open stop timetables, updates and
#                         the navigation)
#   program               entry and life, the main frame and tabs, the start-up steps
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "LayerCheck: pass -DSOURCE_DIR=<repository>")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/LayerRules.cmake)
trasa_check_layers(${SOURCE_DIR} app
    core
    shell
    screens/progress
    screens/options+screens/data+screens/stoptimetables+screens/navigation
    screens/search
    program)
