# The six fonts: fontbuild rasterises the characters each one needs from
# Debian's fonts into ${RESOURCE_DIR}/font/<name>.cvt and <name>.abcd. Latin
# letters come from DejaVu, everything else from WenQuanYi Micro Hei (which
# covers kana, CJK ideographs and Hangul). The characters are printable ASCII,
# the fixed ranges below and every character the font's message texts use, so
# the fonts are rebuilt whenever a message source changes.
#
# A text line is 15 pixels high (the screens lay out lines of about 15 units
# on the 640 x 360 canvas), 12-pixel glyphs; the mini-game's arcade font is a
# little larger and bold. Every advance gets one extra pixel because the game
# draws all fonts with a letter spacing of -1.
set(font_dejavu /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
set(font_dejavu_mono_bold /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf)
set(font_wqy /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
set(font_message_dir ${CMAKE_CURRENT_SOURCE_DIR}/message)
set(font_preview_dir ${CMAKE_BINARY_DIR}/data/font)

# ASCII, the full-width forms the number and name helpers write, the hyphen
# they use for '-', and the ideographic space and CJK punctuation.
set(font_common_ranges --range 20-7E --range FF01-FF5E --range 2010 --range 3000-3003)
# Kana for the Japanese crew names and texts.
set(font_kana_ranges --range 3041-3094 --range 30A1-30F6 --range 30FB-30FE)
set(font_text_faces --face ${font_dejavu} --size 12 --face ${font_wqy} --size 12 --extra-advance 1)

# build_font(<name> <message languages> <fontbuild arguments>...)
function(build_font name languages)
  set(output ${RESOURCE_DIR}/font/${name})
  set(sources)
  set(source_arguments)
  foreach(language IN LISTS languages)
    list(APPEND sources ${font_message_dir}/${language}.txt)
    list(APPEND source_arguments --messages ${font_message_dir}/${language}.txt)
  endforeach()
  add_custom_command(
    OUTPUT ${output}.cvt ${output}.abcd
    COMMAND fontbuild ${ARGN} ${source_arguments} --preview ${font_preview_dir}/${name}.png ${output}
    DEPENDS fontbuild ${sources}
    COMMENT "Building font/${name}"
    VERBATIM)
  set(varnolis_data_outputs ${varnolis_data_outputs} ${output}.cvt ${output}.abcd PARENT_SCOPE)
endfunction()

build_font(font_system "japanese;english"
  ${font_text_faces} --cell-height 15 ${font_common_ranges} ${font_kana_ranges})
# English takes slot 0 with a font of its own, in which the full-width forms
# the screens write numbers with are as narrow as ASCII.
build_font(font_english "english"
  ${font_text_faces} --cell-height 15 ${font_common_ranges} --narrow-full-width)
build_font(font_korean "korean"
  ${font_text_faces} --cell-height 15 ${font_common_ranges})
build_font(font_traditionalChinese "traditionalChinese"
  ${font_text_faces} --cell-height 15 ${font_common_ranges})
build_font(font_simplifiedChinese "simplifiedChinese"
  ${font_text_faces} --cell-height 15 ${font_common_ranges})
# The mini-game draws scores, three-letter names, its score-entry line and the
# key and button names in that line, in every language, with this font only.
build_font(font_minigame "japanese;english;korean;traditionalChinese;simplifiedChinese"
  --face ${font_dejavu_mono_bold} --size 13 --face ${font_wqy} --size 13 --extra-advance 1 --cell-height 16
  ${font_common_ranges}
  --key-prefix MINIGAME_ --key-prefix ADD_TEXT_KEYBOARD_ --key-prefix ADD_TEXT_XINPUT_ --key-prefix ADD_TEXT_STICK_)
