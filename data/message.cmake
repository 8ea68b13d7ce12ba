# Message files: one readable source per language, data/message/<language>.txt,
# built by mesbuild into ${RESOURCE_DIR}/message/<language>.mes.
set(message_languages japanese english korean traditionalChinese simplifiedChinese)
foreach(language IN LISTS message_languages)
  set(message_source ${CMAKE_CURRENT_SOURCE_DIR}/message/${language}.txt)
  set(message_output ${RESOURCE_DIR}/message/${language}.mes)
  add_custom_command(
    OUTPUT ${message_output}
    COMMAND mesbuild ${message_source} ${message_output}
    DEPENDS mesbuild ${message_source}
    COMMENT "Building message/${language}.mes"
    VERBATIM)
  list(APPEND varnolis_data_outputs ${message_output})
endforeach()
