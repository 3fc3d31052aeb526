# Which library folder may include which. A line per folder: the folder and
# the folders whose headers it may include besides its own. Folders not in the
# table are not checked, but no folder of the table may include them unless
# its line names them. A new folder adds its line; ANY lets a folder (the
# application) include everything. A subfolder with a line of its own
# (views/wx) is a folder of its own: its parent may include it only when the
# parent's line names it.
#
# The check runs with every build (target include_direction) and fails it on
# an include that points the wrong way, naming the file and line.

set(TERRION_LAYERS "")
function(terrion_layer folder)
  set_property(GLOBAL APPEND PROPERTY TERRION_LAYER_FOLDERS ${folder})
  set_property(GLOBAL PROPERTY TERRION_LAYER_${folder} "${ARGN}")
endfunction()

# folder     may include
terrion_layer(resources)
# The string table's texts as wxString.
terrion_layer(resources/wx resources)
terrion_layer(platform)
# The clipboard and the prompt service over wxWidgets.
terrion_layer(platform/wx platform streams resources resources/wx)
terrion_layer(streams   resources platform)
terrion_layer(device    streams resources platform)
terrion_layer(data      device streams resources platform)
# The clickable areas and the off-screen context under both the pages and
# the export dialogs.
terrion_layer(drawing   grid resources platform)
terrion_layer(drawing/wx drawing grid resources platform)
terrion_layer(export    grid data device streams resources platform)
# The export dialogs' windows over the shared drawing helpers.
terrion_layer(export/wx export drawing drawing/wx grid platform/wx resources/wx data device streams resources platform)
terrion_layer(views     export drawing grid menus data device streams resources platform)
# The pages' windows over the views' plain code.
terrion_layer(views/wx  views export export/wx drawing drawing/wx grid menus platform/wx resources/wx data device streams
                        resources platform)
terrion_layer(update    device streams resources platform)
# The update wizard's pages over the plain update services.
terrion_layer(update/wizard update platform/wx resources/wx device streams resources platform)
terrion_layer(grid      resources platform)
terrion_layer(menus     grid resources platform)
# The connection's plain core, its windows, and the shell over everything.
terrion_layer(app/connection device data streams resources platform)
terrion_layer(app/connection/wx app/connection platform/wx resources/wx data device streams resources platform)
terrion_layer(app       ANY)
# Tests and benchmarks may include every library but never the reverse.
terrion_layer(tests     ANY)
terrion_layer(bench     ANY)

function(terrion_check_include_direction)
  get_property(folders GLOBAL PROPERTY TERRION_LAYER_FOLDERS)
  set(table "set(TERRION_LAYER_FOLDERS \"${folders}\")\n")
  foreach(folder IN LISTS folders)
    get_property(allowed GLOBAL PROPERTY TERRION_LAYER_${folder})
    string(APPEND table "set(TERRION_LAYER_${folder} \"${allowed}\")\n")
  endforeach()
  set(table_file "${PROJECT_BINARY_DIR}/TerrionLayerTable.cmake")
  file(WRITE "${table_file}" "${table}")
  add_custom_target(include_direction ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DTABLE=${table_file}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludeDirection.cmake
    COMMENT "Checking the include direction between library folders"
    VERBATIM)
endfunction()
