# Placeholder sound, synthesised by tools/synth:
# - sound/se_package.pac: one effect per line of sound/effects.txt (in id
#   order), rendered to WAV files and packed by sepack;
# - sound/bgm/<name>.wav: one looping piece per score sound/bgm/<name>.txt.
set(effect_list ${CMAKE_CURRENT_SOURCE_DIR}/sound/effects.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${effect_list})
file(STRINGS ${effect_list} effect_lines REGEX "^[0-9]+ [A-Za-z0-9_]+ :")
set(effect_dir ${CMAKE_CURRENT_BINARY_DIR}/sound_effects)
set(effect_waves)
foreach(line IN LISTS effect_lines)
  string(REGEX REPLACE "^[0-9]+ ([A-Za-z0-9_]+) :.*$" "\\1" effect_name "${line}")
  list(APPEND effect_waves ${effect_dir}/${effect_name}.wav)
endforeach()
add_custom_command(
  OUTPUT ${effect_waves}
  COMMAND synth effects ${effect_list} ${effect_dir}
  DEPENDS synth ${effect_list}
  COMMENT "Synthesising sound effects")
set(effect_package ${RESOURCE_DIR}/sound/se_package.pac)
add_custom_command(
  OUTPUT ${effect_package}
  COMMAND sepack ${effect_package} ${effect_waves}
  DEPENDS sepack ${effect_waves}
  COMMENT "Packing sound/se_package.pac")
list(APPEND varnolis_data_outputs ${effect_package})

file(GLOB music_scores CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sound/bgm/*.txt)
foreach(score IN LISTS music_scores)
  get_filename_component(music_name ${score} NAME_WE)
  set(music_output ${RESOURCE_DIR}/sound/bgm/${music_name}.wav)
  add_custom_command(
    OUTPUT ${music_output}
    COMMAND synth music ${score} ${music_output}
    DEPENDS synth ${score}
    COMMENT "Synthesising sound/bgm/${music_name}.wav"
    VERBATIM)
  list(APPEND varnolis_data_outputs ${music_output})
endforeach()
