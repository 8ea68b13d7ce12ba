# Stand-alone ".cvt" images, drawn by artgen as PNG and converted by cvtconv; the
# name inside each image is its file name without the extension, which is how the
# game finds the texture.
set(image_png_dir ${CMAKE_BINARY_DIR}/data/image)

# varnolis_images(<artgen kind> <comment> <picture> <resource path> [<picture> <resource path>]...)
function(varnolis_images kind comment)
  set(pairs ${ARGN})
  set(pngs)
  list(LENGTH pairs count)
  math(EXPR last "${count} - 1")
  foreach(index RANGE 0 ${last} 2)
    list(GET pairs ${index} name)
    list(APPEND pngs ${image_png_dir}/${name}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${pngs}
    COMMAND artgen ${kind} ${image_png_dir}
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

varnolis_images(logos "Drawing the start-up logos"
  companylogo_korvexa common/companylogo_korvexa.cvt
  gameengine_logo common/gameengine_logo.cvt)

varnolis_images(scenery "Drawing the distant views, the ending and the mini-game screens"
  bg000 bg/distantview/bg000.cvt
  bg001 bg/distantview/bg001.cvt
  bg002 bg/distantview/bg002.cvt
  bg_ending common/bg_ending.cvt
  bg_ending_front common/bg_ending_front.cvt
  minigame_titlelogo common/minigame_titlelogo.cvt
  minigame_frame common/minigame_frame.cvt
  minigame_gameover common/minigame_gameover.cvt
  minigame_licence common/minigame_licence.cvt)
