# Stand-alone ".cvt" images, drawn by artgen as PNG and converted by cvtconv; the
# name inside each image is its file name without the extension, which is how the
# game finds the texture.
set(image_png_dir ${CMAKE_BINARY_DIR}/data/image)

# varnolis_images(<artgen kind> <comment> [FONTS <font>...] IMAGES <picture> <resource path>
#                 [<picture> <resource path>]...)
function(varnolis_images kind comment)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FONTS;IMAGES")
  set(pairs ${arg_IMAGES})
  set(pngs)
  list(LENGTH pairs count)
  math(EXPR last "${count} - 1")
  foreach(index RANGE 0 ${last} 2)
    list(GET pairs ${index} name)
    list(APPEND pngs ${image_png_dir}/${name}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${pngs}
    COMMAND artgen ${kind} ${image_png_dir} ${arg_FONTS}
    DEPENDS artgen
    COMMENT "${comment}")
  set(outputs)
  foreach(index RANGE 0 ${last} 2)
    list(GET pairs ${index} name)
    math(EXPR path_index "${index} + 1")
    list(GET pairs ${path_index} path)
    set(cvt ${RESOURCE_DIR}/${path})
    add_custom_command(
      OUTPUT ${cvt}
      COMMAND cvtconv --format raw ${image_png_dir}/${name}.png ${cvt}
      DEPENDS cvtconv ${image_png_dir}/${name}.png
      COMMENT "Converting ${name}.png")
    list(APPEND outputs ${cvt})
  endforeach()
  set(varnolis_data_outputs ${varnolis_data_outputs} ${outputs} PARENT_SCOPE)
endfunction()

varnolis_images(logos "Drawing the start-up logos" IMAGES
  companylogo_korvexa common/companylogo_korvexa.cvt
  gameengine_logo common/gameengine_logo.cvt)

# The world map: desert, rocks, ruins, an oasis and a landmark under each hideout.
varnolis_images(map "Drawing the world map" IMAGES
  map_base common/map_base.cvt)

varnolis_images(scenery "Drawing the distant views, the ending and the mini-game screens" IMAGES
  bg000 bg/distantview/bg000.cvt
  bg001 bg/distantview/bg001.cvt
  bg002 bg/distantview/bg002.cvt
  bg_ending common/bg_ending.cvt
  bg_ending_front common/bg_ending_front.cvt
  minigame_titlelogo common/minigame_titlelogo.cvt
  minigame_frame common/minigame_frame.cvt
  minigame_gameover common/minigame_gameover.cvt
  minigame_licence common/minigame_licence.cvt)

# The title's pictures; their lettering is set in the bold faces of the fonts' families.
varnolis_images(title "Drawing the title's pictures"
  FONTS /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ${font_wqy}
  IMAGES
  ui_title_bg common/ui_title_bg.cvt
  ui_title_copyright common/ui_title_copyright.cvt
  ui_title_logo common/ui_title_logo.cvt
  ui_title_logo_eng common/ui_title_logo_eng.cvt
  ui_title_logo_kr common/ui_title_logo_kr.cvt
  ui_title_continue common/ui_title_continue.cvt
  ui_title_continue_eng common/ui_title_continue_eng.cvt
  ui_title_continue_kr common/ui_title_continue_kr.cvt
  ui_title_load common/ui_title_load.cvt
  ui_title_load_eng common/ui_title_load_eng.cvt
  ui_title_load_kr common/ui_title_load_kr.cvt
  ui_title_newgame common/ui_title_newgame.cvt
  ui_title_newgame_eng common/ui_title_newgame_eng.cvt
  ui_title_newgame_kr common/ui_title_newgame_kr.cvt
  ui_title_achievement common/ui_title_achievement.cvt
  ui_title_achievement_eng common/ui_title_achievement_eng.cvt
  ui_title_achievement_kr common/ui_title_achievement_kr.cvt
  ui_title_option common/ui_title_option.cvt
  ui_title_option_eng common/ui_title_option_eng.cvt
  ui_title_option_kr common/ui_title_option_kr.cvt
  ui_title_exit common/ui_title_exit.cvt
  ui_title_exit_eng common/ui_title_exit_eng.cvt
  ui_title_exit_kr common/ui_title_exit_kr.cvt)
