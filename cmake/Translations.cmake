# ka_add_translations(<var> <qrc name>): compiles every translations/*.ts of the calling folder with
# lrelease and sets <var> to the resource that puts the .qm files under :/translations.
find_package(Qt5 5.15 REQUIRED COMPONENTS LinguistTools)

function(ka_add_translations out_var qrc_name)
  file(GLOB ts_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/*.ts)
  qt5_add_translation(qm_files ${ts_files})
  set(qm_entries "")
  foreach(qm IN LISTS qm_files)
    get_filename_component(qm_name ${qm} NAME)
    string(APPEND qm_entries "    <file>${qm_name}</file>\n")
  endforeach()
  # Written now, not at generate time, so that qt5_add_resources reads the .qm files from it: rcc's
  # rule then depends on lrelease's outputs with any generator and any -j. AUTORCC would not wait
  # for them.
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${qrc_name})
  file(WRITE ${qrc}.new "<RCC>\n  <qresource prefix=\"/translations\">\n${qm_entries}  </qresource>\n</RCC>\n")
  configure_file(${qrc}.new ${qrc} COPYONLY)
  qt5_add_resources(rcc ${qrc})
  set(${out_var} ${rcc} PARENT_SCOPE)
endfunction()
